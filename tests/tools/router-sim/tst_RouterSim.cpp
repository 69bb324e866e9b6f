// The emulator's own flow rules: sessions, one-time keys, the service list,
// and the router-sim program.

#include "RouterSim.h"

#include <httplib.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

class TestRouterSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void startAndStopAtOnce();
    void loginSetsTheCookie();
    void sessionPagesRedirectWithoutCookie_data();
    void sessionPagesRedirectWithoutCookie();
    void sessionKeyIsValidOnce();
    void newerPageReplacesTheKey();
    void serviceListFollowsChanges();
    void faultEverywhere();
    void dropAfterSomeBytes();
    void paddedAndBinaryPages();
    void repeatedMarkers();
    void serviceListAsGiven();
    void programServesAndPrintsState();
    void programRefusesOtherAddresses();

private:
    std::string Login();
    std::string KeyFrom(const std::string& path, const std::string& cookie);
    int Status(const std::string& target, const std::string& cookie);

    RouterSim m_sim;
    std::unique_ptr<httplib::Client> m_client;
};

void TestRouterSim::initTestCase()
{
    QVERIFY(m_sim.Start() > 0);
    m_client = std::make_unique<httplib::Client>("127.0.0.1", m_sim.Port());
}

void TestRouterSim::init()
{
    m_sim.SetState({});
    m_sim.ClearFaults();
}

void TestRouterSim::cleanupTestCase()
{
    m_client.reset();
    m_sim.Stop();
}

std::string TestRouterSim::Login()
{
    const auto res = m_client->Post("/index.html",
                                    "username=admin&password=vabel&validateCode=&loginfo=on",
                                    "application/x-www-form-urlencoded");
    if (!res)
        return {};
    const std::string setCookie = res->get_header_value("Set-Cookie");
    return "webuicookie=" + setCookie.substr(12, setCookie.find(';') - 12);
}

std::string TestRouterSim::KeyFrom(const std::string& path, const std::string& cookie)
{
    const auto res = m_client->Get(path.c_str(), {{"Cookie", cookie}});
    if (!res)
        return {};
    const std::size_t at = res->body.find("sessionKey = '");
    return at == std::string::npos ? std::string() : res->body.substr(at + 14, 6);
}

int TestRouterSim::Status(const std::string& target, const std::string& cookie)
{
    const auto res = m_client->Get(target.c_str(), {{"Cookie", cookie}});
    return res ? res->status : -1;
}

void TestRouterSim::startAndStopAtOnce()
{
    RouterSim sim;
    for (int i = 0; i < 20; ++i)
    {
        QVERIFY(sim.Start() > 0);
        sim.Stop();
    }
    sim.SetFault("/info.html", SimFault{.Delay = std::chrono::seconds(30)});
    const int port = sim.Start();
    std::thread request([port] { httplib::Client("127.0.0.1", port).Get("/info.html"); });
    QTRY_COMPARE(sim.RequestsTo("/info.html").size(), std::size_t(1));
    QElapsedTimer clock;
    clock.start();
    sim.Stop();  // ends the delay instead of waiting it out
    request.join();
    QVERIFY(clock.elapsed() < 5000);
}

void TestRouterSim::loginSetsTheCookie()
{
    const auto res = m_client->Post("/index.html", "username=admin&password=vabel",
                                    "application/x-www-form-urlencoded");
    QVERIFY(res);
    const QString setCookie = QString::fromStdString(res->get_header_value("Set-Cookie"));
    QVERIFY2(QRegularExpression("^webuicookie=[0-9]+; path=/$").match(setCookie).hasMatch(),
             qPrintable(setCookie));
    const auto wrong = m_client->Post("/index.html", "username=admin&password=nope",
                                      "application/x-www-form-urlencoded");
    QVERIFY(wrong && !wrong->has_header("Set-Cookie"));
}

void TestRouterSim::sessionPagesRedirectWithoutCookie_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<int>("withoutSession");
    QTest::newRow("wlcfg.html") << QByteArray("/wlcfg.html") << 302;
    QTest::newRow("password.html") << QByteArray("/password.html") << 302;
    QTest::newRow("internet_sum.cgi") << QByteArray("/internet_sum.cgi") << 302;
    QTest::newRow("status page") << QByteArray("/info.html") << 200;
    QTest::newRow("security page") << QByteArray("/wlsecurity.html") << 200;
    QTest::newRow("service page") << QByteArray("/setup_wancfg.html") << 200;
}

void TestRouterSim::sessionPagesRedirectWithoutCookie()
{
    QFETCH(QByteArray, path);
    QFETCH(int, withoutSession);
    Login();
    QCOMPARE(Status(path.toStdString(), ""), withoutSession);
    QCOMPARE(Status(path.toStdString(), "webuicookie=12345"), withoutSession);
}

void TestRouterSim::sessionKeyIsValidOnce()
{
    const std::string cookie = Login();
    const std::string key = KeyFrom("/wlcfg.html", cookie);
    QCOMPARE(key.size(), std::size_t(6));
    const std::string target = "/wlcfg.wl?wlSsid=A%20B&wlCountry=NZ&wlEnbl=1&sessionKey=";
    QCOMPARE(Status(target + key, cookie), 200);
    QCOMPARE(m_sim.State().Ssid, std::string("A B"));
    QCOMPARE(Status(target + key, cookie), 403);
    KeyFrom("/wlcfg.html", cookie);
    QCOMPARE(Status(target, cookie), 403);
}

void TestRouterSim::newerPageReplacesTheKey()
{
    const std::string cookie = Login();
    const std::string older = KeyFrom("/wlcfg.html", cookie);
    const std::string newer = KeyFrom("/password.html", cookie);
    QVERIFY(!older.empty() && !newer.empty());
    QCOMPARE(Status("/wlcfg.wl?wlSsid=X&sessionKey=" + older, cookie), 403);
    m_sim.RefuseSessionKeys(true);
    const std::string refused = KeyFrom("/wlcfg.html", cookie);
    QCOMPARE(Status("/wlcfg.wl?wlSsid=X&sessionKey=" + refused, cookie), 403);
}

void TestRouterSim::serviceListFollowsChanges()
{
    SimRouterState state;
    state.Services = {
        {"pppoa_0_0_100", {{"atmVpi", "0"}, {"atmVci", "100"}, {"linkType", "PPPoA"}}},
        {"br_0_8_35", {{"atmVpi", "8"}, {"atmVci", "35"}, {"linkType", "EoA"}}}};
    m_sim.SetState(state);
    const auto page = m_client->Get("/setup_wancfg.html");
    QVERIFY(page);
    QVERIFY2(page->body.find("lay2andlay3info = 'pppoa_0_0_100}PPPoA}0/100|,|br_0_8_35}EoA}8/35';\n"
                             "var X_BROADCOM_COM_IfName")
                 != std::string::npos,
             page->body.c_str());
    const std::string cookie = Login();
    const std::string key = KeyFrom("/setup_wancfg.html", cookie);
    QCOMPARE(Status("/dlwancfg.cmd?action=remove&rmLst=pppoa_0_0_100&sessionKey=" + key, cookie),
             200);
    QCOMPARE(m_sim.State().Services.size(), std::size_t(1));
    QCOMPARE(m_sim.State().Services[0].Name, std::string("br_0_8_35"));
}

void TestRouterSim::faultEverywhere()
{
    m_sim.SetFault("/info.html", SimFault{.Status = 500});
    m_sim.SetFaultEverywhere(SimFault{.Status = 302});
    QCOMPARE(Status("/setup_wancfg.html", ""), 302);
    QCOMPARE(Status("/no-such-page", ""), 302);
    QCOMPARE(Status("/info.html", ""), 500);  // a path's own fault wins
    m_sim.ClearFaults();
    QCOMPARE(Status("/setup_wancfg.html", ""), 200);
}

void TestRouterSim::dropAfterSomeBytes()
{
    m_sim.SetFault("/setup_wancfg.html", SimFault{.DropAfterBytes = 20});
    std::string received;
    const auto res = m_client->Get("/setup_wancfg.html", [&](const char* data, std::size_t n) {
        received.append(data, n);
        return true;
    });
    QVERIFY(!res);  // the page was announced longer than it came
    QCOMPARE(received, std::string("<html><head><title>W"));
}

void TestRouterSim::paddedAndBinaryPages()
{
    m_sim.SetFault("/wlcfg.html", SimFault{.PadBytes = 3'000'000});
    m_sim.SetFault("/info.html", SimFault{.BinaryBytes = 5000});
    const std::string cookie = Login();
    const auto padded = m_client->Get("/wlcfg.html", {{"Cookie", cookie}});
    QVERIFY(padded && padded->status == 200);
    QVERIFY(padded->body.size() > 3'000'000);
    QCOMPARE(padded->body.find_first_not_of(' '), std::size_t(3'000'000));
    QVERIFY(padded->body.find("sessionKey = '") != std::string::npos);

    const auto first = m_client->Get("/info.html");
    const auto second = m_client->Get("/info.html");
    QVERIFY(first && second);
    QCOMPARE(first->body.size(), std::size_t(5000));
    QVERIFY(first->body.find('\0') != std::string::npos);
    QCOMPARE(first->body, second->body);  // repeatable
}

void TestRouterSim::repeatedMarkers()
{
    m_sim.SetFaultEverywhere(SimFault{.RepeatedMarker = true});
    const auto login = m_client->Post("/index.html", "username=admin&password=vabel",
                                      "application/x-www-form-urlencoded");
    QVERIFY(login);
    QCOMPARE(login->get_header_value_count("Set-Cookie"), std::size_t(2));
    const std::string stale = login->get_header_value("Set-Cookie", 0);
    const std::string fresh = login->get_header_value("Set-Cookie", 1);
    const std::string cookie = fresh.substr(0, fresh.find(';'));
    QCOMPARE(Status("/wlcfg.html", stale.substr(0, stale.find(';'))), 302);

    // The page's second key is the valid one, the first is not.
    const auto keys = [&] {
        const auto page = m_client->Get("/wlcfg.html", {{"Cookie", cookie}});
        std::vector<std::string> found;
        for (std::size_t at = page->body.find("sessionKey = '"); at != std::string::npos;
             at = page->body.find("sessionKey = '", at + 1))
            found.push_back(page->body.substr(at + 14, page->body.find('\'', at + 14) - at - 14));
        return found;
    };
    const std::string target = "/wlcfg.wl?wlSsid=X&sessionKey=";
    QCOMPARE(keys().size(), std::size_t(2));
    QCOMPARE(Status(target + keys().at(0), cookie), 403);
    QCOMPARE(Status(target + keys().at(1), cookie), 200);
}

void TestRouterSim::serviceListAsGiven()
{
    m_sim.SetFault("/setup_wancfg.html", SimFault{.ServiceList = "a}EoA}8/35|,||,|b"});
    const auto page = m_client->Get("/setup_wancfg.html");
    QVERIFY(page);
    QVERIFY2(page->body.find("lay2andlay3info = 'a}EoA}8/35|,||,|b';\nvar X_BROADCOM_COM_IfName")
                 != std::string::npos,
             page->body.c_str());
}

void TestRouterSim::programServesAndPrintsState()
{
    QProcess program;
    program.start(ROUTER_SIM_PROGRAM,
                  {"--listen", "127.0.0.1:0", "--ssid", "Demo Net", "--service", "pppoe_0_8_35"});
    QVERIFY(program.waitForStarted());
    QVERIFY(program.waitForReadyRead(5000));
    const QString first = QString::fromUtf8(program.readLine()).trimmed();
    const QRegularExpressionMatch match =
        QRegularExpression("^listening on 127\\.0\\.0\\.1:(\\d+)$").match(first);
    QVERIFY2(match.hasMatch(), qPrintable(first));
    httplib::Client client("127.0.0.1", match.captured(1).toInt());
    const auto state = client.Get("/__sim/state");
    QVERIFY(state && state->status == 200);
    QVERIFY(state->body.find("ssid: Demo Net\n") != std::string::npos);
    program.terminate();
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    const QString printed = QString::fromUtf8(program.readAllStandardOutput());
    QVERIFY(printed.contains("service pppoe_0_8_35:"));
    QVERIFY(printed.contains("admin password: vabel"));
}

void TestRouterSim::programRefusesOtherAddresses()
{
    for (const char* address : {"0.0.0.0:0", "192.168.1.1:80", "127.0.0.1"})
    {
        QProcess program;
        program.start(ROUTER_SIM_PROGRAM, {"--listen", address});
        QVERIFY(program.waitForFinished(5000));
        QCOMPARE(program.exitCode(), 2);
    }
}

QTEST_GUILESS_MAIN(TestRouterSim)
#include "tst_RouterSim.moc"
