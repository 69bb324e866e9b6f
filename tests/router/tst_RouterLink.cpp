// The router link's requests against the emulator on 127.0.0.1.

#include "HttpTransport.h"
#include "TestRouterLink.h"

#include <QtTest>

using namespace std::chrono_literals;

void TestRouterLink::initTestCase()
{
    QVERIFY(m_sim.Start() > 0);
}

void TestRouterLink::init()
{
    m_sim.ClearFaults();
    m_sim.SetState({});
    m_sim.ClearRequests();
    m_settings = WizardSettings{};
    m_link = std::make_unique<CIpLink>(m_settings);
    m_link->SetUserName("admin");
    m_link->SetPassword("vabel");
    m_link->SetRouterAddress(m_sim.Address());
    m_link->SetTimeouts({2000ms, 2000ms, 2000ms});
}

void TestRouterLink::cleanupTestCase()
{
    m_link.reset();
    m_sim.Stop();
}

CIpLink& TestRouterLink::LoggedIn()
{
    if (!m_link->Login())
        qFatal("login to the emulator failed");
    m_sim.ClearRequests();
    return *m_link;
}

void TestRouterLink::loginStoresTheCookie()
{
    QVERIFY(m_link->Login());
    const std::string cookie = m_link->GetSessionCookie();
    QVERIFY(!cookie.empty());
    QVERIFY(cookie.find(';') == std::string::npos);
    const SimRequest login = m_sim.RequestsTo("/index.html").at(0);
    QCOMPARE(login.Method, std::string("POST"));
    QCOMPARE(login.Body, std::string("username=admin&password=vabel&validateCode=&loginfo=on"));
    QCOMPARE(login.Cookie, std::string("Name="));
    QVERIFY(m_link->Relogin());
    QVERIFY(m_link->GetSessionCookie() != cookie);

    m_sim.SetFault("/index.html", SimFault{.Body = "<p>webuicookie=abc"});
    QVERIFY(m_link->Login());  // no ";" after the value: the whole rest is the cookie
    QCOMPARE(m_link->GetSessionCookie(), std::string("abc"));
}

void TestRouterLink::loginRefusals_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("cookieKept");
    QTest::newRow("no cookie at all") << QByteArray("<html>Login failed</html>") << true;
    QTest::newRow("empty cookie") << QByteArray("<html>webuicookie=; path=/</html>") << false;
    QTest::newRow("nothing answered") << QByteArray() << true;
}

void TestRouterLink::loginRefusals()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, cookieKept);
    QVERIFY(m_link->Login());
    const std::string before = m_link->GetSessionCookie();
    m_sim.SetFault(
        "/index.html",
        SimFault{.EmptyBody = answer.isEmpty(),
                 .Body = answer.isEmpty() ? std::nullopt : std::optional(answer.toStdString())});
    QVERIFY(!m_link->Login());
    QCOMPARE(m_link->GetSessionCookie() == before, cookieKept);

    m_sim.ClearFaults();
    m_link->SetPassword("wrong");
    QVERIFY(!m_link->Login());
    m_link->SetPassword("vabel");
    m_sim.RefuseLogins(1);
    QVERIFY(!m_link->Login());
    QVERIFY(m_link->Relogin());
}

void TestRouterLink::loginEscapesTheBody()
{
    SimRouterState state;
    state.AdminPassword = "p&ss word=%";
    m_sim.SetState(state);
    m_link->SetPassword("p&ss word=%");
    QVERIFY(m_link->Login());
    QCOMPARE(m_sim.RequestsTo("/index.html").at(0).Body,
             std::string("username=admin&password=p%26ss%20word%3D%25&validateCode=&loginfo=on"));
}

void TestRouterLink::logoutEndsTheSession()
{
    CIpLink& link = LoggedIn();
    QVERIFY(link.Logout());
    QCOMPARE(m_sim.Requests().at(0).Query, std::string("logout"));
    QCOMPARE(link.ApplyWirelessBasic(), -1);  // the session is gone: 302
}

void TestRouterLink::processWideLink()
{
    CIpLink* link = GetRouterLink();
    QVERIFY(link);
    QCOMPARE(GetRouterLink(), link);
    SetLinkPassword("secret");
    QCOMPARE(link->GetPassword(), std::string("secret"));
}

void TestRouterLink::wirelessBasic()
{
    WizardSettings& s = m_settings;
    s.Ssid = "My Network &#+=?%";
    s.CountryIndex = 1;
    CIpLink& link = LoggedIn();
    QCOMPARE(link.ApplyWirelessBasic(), 0);
    const SimRouterState state = m_sim.State();
    QCOMPARE(state.Ssid, s.Ssid);
    QCOMPARE(state.Country, std::string("NZ"));
    QVERIFY(state.WirelessEnabled);
    QCOMPARE(m_sim.RequestsTo("/wlcfg.html").at(0).Cookie,
             "sessionid=c3d94e07; TBSPASSWORD=vabel; webuicookie=" + link.GetSessionCookie()
                 + "; username=admin; password=vabel");
}

void TestRouterLink::wirelessSecurity_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("keySet");
    QTest::newRow("wpa") << 0 << "psk" << true;
    QTest::newRow("wpa2") << 1 << "psk2" << true;
    QTest::newRow("none") << 2 << "open" << false;
}

void TestRouterLink::wirelessSecurity()
{
    QFETCH(int, index);
    QFETCH(QString, mode);
    QFETCH(bool, keySet);
    const std::string key = " k&e#y+ =%";
    CIpLink& link = LoggedIn();
    QCOMPARE(link.ApplyWirelessSecurity(key, index), 0);
    const SimRouterState state = m_sim.State();
    QCOMPARE(QString::fromStdString(state.Security), mode);
    QCOMPARE(state.Key == key, keySet);
    QCOMPARE(QueriesTo(m_sim, "/wlsecurity.wl").at(0).contains("wlWpaPsk"), keySet);
    QCOMPARE(m_sim.RequestsTo("/wlsecurity.html").at(0).Cookie,
             "sessionid=c3d94e07; TBSPASSWORD=vabel; username=admin; password=vabel; webuicookie="
                 + link.GetSessionCookie() + ";");
}

void TestRouterLink::wirelessNeedsSession()
{
    QCOMPARE(m_link->ApplyWirelessBasic(), -1);
    QCOMPARE(m_link->ApplyWirelessSecurity("key", 1), -1);
    QCOMPARE(m_link->ChangeRouterPassword(), -1);
    QCOMPARE(m_sim.State().Ssid, SimRouterState{}.Ssid);
}

void TestRouterLink::slowFormPageGivesEmptyKey()
{
    CIpLink& link = LoggedIn();
    link.SetTimeouts({300ms, 300ms, 300ms});
    m_sim.SetFault("/wlcfg.html", SimFault{.Delay = 1000ms});
    QCOMPARE(link.ApplyWirelessBasic(), -1);
    QVERIFY(QueriesTo(m_sim, "/wlcfg.wl").at(0).endsWith("&sessionKey="));
}

void TestRouterLink::changeRouterPassword()
{
    WizardSettings& s = m_settings;
    s.RouterPassword = "vabel";
    s.NewRouterPassword = "n&w #pw";
    CIpLink& link = LoggedIn();
    QCOMPARE(link.ChangeRouterPassword(), 0);
    QCOMPARE(m_sim.State().AdminPassword, s.NewRouterPassword);
    QCOMPARE(link.GetPassword(), std::string("vabel"));  // callers update the link

    s.RouterPassword = "not the current one";
    QCOMPARE(link.ChangeRouterPassword(), -1);  // "Password change failed"
    QCOMPARE(m_sim.State().AdminPassword, std::string("n&w #pw"));
}

void TestRouterLink::lineBreakInPasswordSendsNothing()
{
    CIpLink& link = LoggedIn();
    link.SetPassword("vabel\r\nX-Injected: 1");
    QCOMPARE(link.ApplyWirelessBasic(), -1);
    QCOMPARE(link.ChangeRouterPassword(), -1);
    QVERIFY(!link.ApplyWanService());
    QCOMPARE(m_sim.Requests().size(), std::size_t(0));
    QVERIFY(link.Login() == false);  // the login body escapes it: sent, but refused
}

void TestRouterLink::readWirelessSettings()
{
    SimRouterState state;
    state.Ssid = "Home Net";
    state.Key = "s3cret&key";
    m_sim.SetState(state);
    std::string name;
    std::string key;
    CIpLink::ReadWirelessSettings(*m_link, name, key);  // no login needed
    QCOMPARE(name, state.Ssid);
    QCOMPARE(key, state.Key);
    QCOMPARE(m_sim.Requests().at(0).Cookie, std::string());

    m_sim.SetFault("/wlsecurity.html", SimFault{.Status = 302});
    CIpLink::ReadWirelessSettings(*m_link, name, key);
    QCOMPARE(name, state.Ssid);  // unchanged
    m_sim.SetFault("/wlsecurity.html", SimFault{.Body = "<option value='1'>Only</option>"});
    CIpLink::ReadWirelessSettings(*m_link, name, key);
    QCOMPARE(name, std::string("Only"));
    QCOMPARE(key, std::string());
}

void TestRouterLink::dslLine_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<bool>("up");
    QTest::newRow("rate") << QByteArray("x<tr><td>Downstream Line Rate:</td><td>8128</td></tr>")
                          << true;
    QTest::newRow("zero") << QByteArray("x<tr><td>Downstream Line Rate:</td><td>0</td></tr>")
                          << false;
    QTest::newRow("zero and blank")
        << QByteArray("x<td>Downstream Line Rate</td><td>0 </td></tr>") << true;
    QTest::newRow("empty cell") << QByteArray("x<td>Downstream Line Rate</td><td></td></tr>")
                                << false;
    QTest::newRow("no row end") << QByteArray("x<td>Downstream Line Rate</td><td>8128</td>")
                                << false;
    QTest::newRow("no label") << QByteArray("<td>8128</td></tr>") << false;
    QTest::newRow("unreadable") << QByteArray() << false;
}

void TestRouterLink::dslLine()
{
    QFETCH(QByteArray, page);
    QFETCH(bool, up);
    m_sim.SetFault("/info.html",
                   SimFault{.Status = page.isEmpty() ? 500 : 0, .Body = page.toStdString()});
    QCOMPARE(m_link->IsDslLineUp(), up);
}

QTEST_GUILESS_MAIN(TestRouterLink)
