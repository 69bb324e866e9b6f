// The router link's requests against the emulator on 127.0.0.1.

#include "CIpLink.h"
#include "HttpTransport.h"
#include "RouterSim.h"
#include "WizardSettings.h"

#include <QtTest>

using namespace std::chrono_literals;

namespace {

SimWanService Service(const std::string& name, const std::string& vpi, const std::string& vci)
{
    return {name, {{"atmVpi", vpi}, {"atmVci", vci}, {"linkType", "EoA"}}};
}

QStringList Names(const std::vector<SimWanService>& services)
{
    QStringList names;
    for (const SimWanService& service : services)
        names << QString::fromStdString(service.Name);
    return names;
}

QStringList QueriesTo(const RouterSim& sim, const std::string& path)
{
    QStringList queries;
    for (const SimRequest& request : sim.RequestsTo(path))
        queries << QString::fromStdString(request.Query);
    return queries;
}

}  // namespace

class TestRouterLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void loginStoresTheCookie();
    void loginRefusals_data();
    void loginRefusals();
    void loginEscapesTheBody();
    void logoutEndsTheSession();
    void processWideLink();

    void applyWanServiceReplacesEveryService_data();
    void applyWanServiceReplacesEveryService();
    void applyWanServiceKeepsValuesIntact();
    void protocolChoosesTemplateAndCookie_data();
    void protocolChoosesTemplateAndCookie();
    void merStaticSendsEmptyFields();
    void addFailsWhenKeysAreRefused();
    void overlongCredentialsSendNothing();
    void brokenServicePageStillAdds();
    void pvcExistsAndDeleteAll();

    void wirelessBasic();
    void wirelessSecurity_data();
    void wirelessSecurity();
    void wirelessNeedsSession();
    void slowFormPageGivesEmptyKey();
    void changeRouterPassword();
    void lineBreakInPasswordSendsNothing();

    void readWirelessSettings();
    void dslLine_data();
    void dslLine();

private:
    CIpLink& LoggedIn();

    RouterSim m_sim;
    WizardSettings m_settings;  // what m_link sends
    std::unique_ptr<CIpLink> m_link;
};

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

void TestRouterLink::applyWanServiceReplacesEveryService_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::newRow("none") << QStringList{};
    QTest::newRow("one") << QStringList{"pppoa_0_0_100"};
    QTest::newRow("three, 13-character names")
        << QStringList{"pppoa_0_0_100", "pppoe_0_8_35", "mer_0_100_200"};
}

void TestRouterLink::applyWanServiceReplacesEveryService()
{
    QFETCH(QStringList, existing);
    SimRouterState state;
    for (const QString& name : existing)
        state.Services.push_back(Service(name.toStdString(), "0", "100"));
    m_sim.SetState(state);
    WizardSettings& s = m_settings;
    s.AtmVpi = 8;
    s.AtmVci = 35;
    s.PppUserName = "user";
    s.PppPassword = "pw";
    QVERIFY(LoggedIn().ApplyWanService());

    QCOMPARE(Names(m_sim.State().Services), QStringList{"pppoe_0_8_35"});
    QStringList removals;
    for (const QString& name : existing)
        removals << "action=remove&rmLst=" + name + "&sessionKey=";
    const QStringList sent = QueriesTo(m_sim, "/dlwancfg.cmd");
    QCOMPARE(sent.size(), existing.size() + 1);
    for (int i = 0; i < existing.size(); ++i)
        QVERIFY2(sent[i].startsWith(removals[i]) && sent[i].size() > removals[i].size(),
                 qPrintable(sent[i]));
    QVERIFY(sent.last().startsWith("action=add&sessionKey="));
}

void TestRouterLink::applyWanServiceKeepsValuesIntact()
{
    WizardSettings& s = m_settings;
    s.ProtocolIndex = 1;
    s.AtmVpi = 0;
    s.AtmVci = 100;
    s.PppUserName = "me&you@isp";
    s.PppPassword = "a&b#c+d e=%";
    QVERIFY(LoggedIn().ApplyWanService());
    const SimWanService added = m_sim.State().Services.at(0);
    QCOMPARE(added.Name, std::string("pppoa_0_0_100"));
    QCOMPARE(added.Params.at("pppUserName"), s.PppUserName);
    QCOMPARE(added.Params.at("pppPassword"), s.PppPassword);
    QCOMPARE(added.Params.at("encapMode"), std::string("1"));
}

void TestRouterLink::protocolChoosesTemplateAndCookie_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<QString>("service");
    QTest::addColumn<bool>("adminCookie");
    QTest::newRow("pppoe") << 0 << "pppoe_0_8_35" << false;
    QTest::newRow("pppoa") << 1 << "pppoa_0_8_35" << false;
    QTest::newRow("mer") << 2 << "mer_0_8_35" << false;
    QTest::newRow("ipoa") << 3 << "ipoa_0_8_35" << true;
    QTest::newRow("bridge") << 4 << "br_0_8_35" << true;
    QTest::newRow("beyond bridge") << 7 << "br_0_8_35" << true;
}

void TestRouterLink::protocolChoosesTemplateAndCookie()
{
    QFETCH(int, protocol);
    QFETCH(QString, service);
    QFETCH(bool, adminCookie);
    WizardSettings& s = m_settings;
    s.ProtocolIndex = protocol;
    s.AtmVpi = 8;
    s.AtmVci = 35;
    CIpLink& link = LoggedIn();
    QVERIFY(link.ApplyWanService());
    QCOMPARE(Names(m_sim.State().Services), QStringList{service});
    const std::string cookie = m_sim.RequestsTo("/internet_sum.cgi").at(0).Cookie;
    const std::string session = link.GetSessionCookie();
    const std::string expected = adminCookie ? "sessionid=c3d94e07; TBSPASSWORD=vabel; webuicookie="
                                                   + session + ";username=admin; password=vabel"
                                             : "sessionid=c3d94e07; TBSPASSWORD=vabel; webuicookie="
                                                   + session;
    QCOMPARE(cookie, expected);
    QCOMPARE(m_sim.RequestsTo("/setup_wancfg.html").at(0).Cookie,
             "username=admin; password=vabel; webuicookie=" + session);
}

void TestRouterLink::merStaticSendsEmptyFields()
{
    WizardSettings& s = m_settings;
    s.ProtocolIndex = 2;
    s.MerDynamicIp = 0;
    QVERIFY(LoggedIn().ApplyWanService());
    const auto params = m_sim.State().Services.at(0).Params;
    for (const char* field : {"wanIpAddress", "wanSubnetMask", "wanIntfGateway", "wanInfDnsPrimary",
                              "wanInfDnsSecondary"})
        QCOMPARE(params.at(field), std::string());
    QCOMPARE(params.at("ntwkPrtcl"), std::string("6"));
}

void TestRouterLink::addFailsWhenKeysAreRefused()
{
    CIpLink& link = LoggedIn();
    m_sim.RefuseSessionKeys(true);
    QVERIFY(!link.ApplyWanService());
    QVERIFY(m_sim.State().Services.empty());
    m_sim.RefuseSessionKeys(false);
    m_sim.SetFault("/internet_sum.cgi", SimFault{.MissingMarker = true});
    QVERIFY(!link.ApplyWanService());  // no key for the add request: refused
    QVERIFY(QueriesTo(m_sim, "/dlwancfg.cmd").last().endsWith("sessionKey="));
}

void TestRouterLink::overlongCredentialsSendNothing()
{
    WizardSettings& s = m_settings;
    s.PppUserName = std::string(300, '&');
    CIpLink& link = LoggedIn();
    SimRouterState state;
    state.Services = {Service("br_0_0_100", "0", "100")};
    m_sim.SetState(state);
    QVERIFY(!link.ApplyWanService());
    QCOMPARE(m_sim.Requests().size(), std::size_t(0));  // the old service stays
    QCOMPARE(m_sim.State().Services.size(), std::size_t(1));
}

void TestRouterLink::brokenServicePageStillAdds()
{
    SimRouterState state;
    state.Services = {Service("br_0_0_100", "0", "100")};
    m_sim.SetState(state);
    m_sim.SetFault("/setup_wancfg.html", SimFault{.MissingMarker = true});
    QVERIFY(LoggedIn().ApplyWanService());
    QCOMPARE(m_sim.State().Services.size(), std::size_t(2));
    QCOMPARE(QueriesTo(m_sim, "/dlwancfg.cmd").filter("action=remove").size(), 0);
}

void TestRouterLink::pvcExistsAndDeleteAll()
{
    SimRouterState state;
    state.Services = {Service("pppoe_0_8_35", "8", "35"), Service("br_0_0_100", "0", "100")};
    m_sim.SetState(state);
    QVERIFY(m_link->PvcExists(8, 35));
    QVERIFY(!m_link->PvcExists(0, 35));
    QVERIFY(m_link->DeleteAllWanServices());
    QVERIFY(m_sim.State().Services.empty());
    QCOMPARE(m_sim.RequestsTo("/form2WanAdsl.cgi").at(0).Body,
             std::string("DeleteALL=DeleteALL&submit.htm%3Fwanadsl_auto_droute.htm=Send"));
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
#include "tst_RouterLink.moc"
