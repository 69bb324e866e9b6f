// tarnix-setup as scripts see it: exit codes, output and what reaches the
// router emulator on loopback.

#include "ProgramRun.h"
#include "RouterDefaults.h"
#include "TestTarnixSetup.h"

#include <QtTest>

void TestTarnixSetup::init()
{
    m_sim.SetState(SimRouterState{});
    m_sim.ClearFaults();
    m_sim.ClearRequests();
    QVERIFY(m_sim.Start(0) > 0);
}

void TestTarnixSetup::cleanup()
{
    m_sim.Stop();
}

QStringList TestTarnixSetup::Apply(const QStringList& options) const
{
    return QStringList{"--router", m_sim.Address().c_str(), "apply", "--pause-ms",
                       "0",        "--settle-ms",           "0"}
           + options;
}

void TestTarnixSetup::help()
{
    const Outcome outcome = Run({"--help"});
    QCOMPARE(outcome.ExitCode, 0);
    for (const char* word : {"--router", "login", "apply", "read-wireless", "dsl-status",
                             "--mer-ip", "--probe-url", "--no-probe", "TARNIX_NEW_ROUTER_PASSWORD"})
        QVERIFY2(outcome.Out.contains(word), word);
    // The defaults it names are the ones the program uses.
    for (const QString& stated : {QString("(default %1)").arg(kFactoryPassword),
                                  QString("(default %1)").arg(kStepPause.count()),
                                  QString("(default %1)").arg(kSettlePause.count())})
        QVERIFY2(outcome.Out.contains(stated), qPrintable(stated));
    QVERIFY(m_sim.Requests().empty());
}

void TestTarnixSetup::applyExitCodes_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("faultPath");
    QTest::addColumn<int>("exitCode");
    const QStringList account = {"--ppp-user", "joe", "--ppp-password", "pw", "--key", "secret123"};
    QTest::newRow("applied, no probe") << account + QStringList{"--no-probe"} << "" << 0;
    QTest::newRow("applied, probe answered")
        << account + QStringList{"--probe-url", "SIM"} << "" << 0;
    QTest::newRow("applied, no site answered")
        << account + QStringList{"--probe-url", "SIM"} << "/support" << 3;
    QTest::newRow("WAN refused") << account + QStringList{"--no-probe"} << "/dlwancfg.cmd" << 1;
    QTest::newRow("invalid value") << QStringList{"--vci", "31", "--no-probe"} << "" << 2;
    QTest::newRow("bad usage") << QStringList{"--protocol", "ppp"} << "" << 2;
}

void TestTarnixSetup::applyExitCodes()
{
    QFETCH(QStringList, options);
    QFETCH(QString, faultPath);
    QFETCH(int, exitCode);
    options.replaceInStrings("SIM", ProbeUrl());
    SimFault fault;
    fault.Status = 500;
    if (!faultPath.isEmpty())
        m_sim.SetFault(faultPath.toStdString(), fault);
    const Outcome outcome = Run(Apply(options));
    QCOMPARE(outcome.ExitCode, exitCode);
    if (exitCode == 2)
        QVERIFY(m_sim.Requests().empty());
}

void TestTarnixSetup::applyWritesTheRouter()
{
    const Outcome outcome = Run(
        Apply({"--country", "NZ", "--ppp-user", "joe", "--ppp-password", "ppp-secret", "--ssid",
               "Kiwi", "--security", "wpa", "--key", "  wifi-secret ", "--new-router-password",
               "admin-secret", "--probe-url", "http://127.0.0.1:1/", "--probe-url", ProbeUrl()}));
    QCOMPARE(outcome.ExitCode, 0);
    const SimRouterState state = m_sim.State();
    QCOMPARE(state.Services.size(), std::size_t(1));
    QCOMPARE(state.Services[0].Name, std::string("pppoa_0_0_100"));  // New Zealand's defaults
    // VC Mux; the router's PPPoA form numbers the two encapsulations the other way round.
    QCOMPARE(state.Services[0].Params.at("encapMode"), std::string("0"));
    QCOMPARE(state.Ssid, std::string("Kiwi"));
    QCOMPARE(state.Country, std::string("NZ"));
    QCOMPARE(state.Security, std::string("psk"));
    QCOMPARE(state.Key, std::string("wifi-secret"));  // trimmed
    QCOMPARE(state.AdminPassword, std::string("admin-secret"));

    // One progress line per step, and no secret anywhere.
    const QStringList lines = outcome.Err.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.filter("settle").size(), 1);
    QVERIFY(lines.size() >= 8);
    for (const char* secret : {"ppp-secret", "wifi-secret", "admin-secret", "vabel"})
        QVERIFY2(!outcome.Err.contains(secret) && !outcome.Out.contains(secret), secret);
}

void TestTarnixSetup::applyProtocols_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("serviceName");
    QTest::addColumn<QString>("param");
    QTest::addColumn<QString>("value");
    const QStringList addresses = {"--ip",      "10.0.0.2", "--mask", "255.0.0.0",
                                   "--gateway", "10.0.0.1", "--dns1", "8.8.8.8"};
    QTest::newRow("IPoA, dns2 left out")
        << QStringList{"--protocol", "ipoa"} + addresses << "ipoa_0_8_35"
        << "wanInfDnsSecondary"
        << "0.0.0.0";
    QTest::newRow("MER static") << QStringList{"--protocol", "MER",    "--mer-ip",
                                               "static",     "--dns2", "8.8.4.4"}
                                       + addresses
                                << "mer_0_8_35"
                                << "wanInfDnsSecondary"
                                << "8.8.4.4";
    QTest::newRow("MER dynamic") << QStringList{"--protocol", "mer"} << "mer_0_8_35"
                                 << "enblDhcpClnt"
                                 << "1";
    QTest::newRow("Bridge, own circuit")
        << QStringList{"--protocol", "bridge", "--encapsulation", "VCMUX",
                       "--vpi",      "1",      "--vci",           "40"}
        << "br_0_1_40"
        << "encapMode"
        << "1";
    QTest::newRow("PPPoE user") << QStringList{"--ppp-user", "joe", "--ppp-password", "pw"}
                                << "pppoe_0_8_35"
                                << "pppUserName"
                                << "joe";
}

void TestTarnixSetup::applyProtocols()
{
    QFETCH(QStringList, options);
    QFETCH(QString, serviceName);
    QFETCH(QString, param);
    QFETCH(QString, value);
    const Outcome outcome = Run(Apply(options + QStringList{"--key", "secret123", "--no-probe"}));
    QCOMPARE(outcome.ExitCode, 0);
    const SimRouterState state = m_sim.State();
    QCOMPARE(state.Services.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(state.Services[0].Name), serviceName);
    QCOMPARE(QString::fromStdString(state.Services[0].Params.at(param.toStdString())), value);
}

void TestTarnixSetup::secretsFromEnvironment()
{
    SimRouterState state;
    state.AdminPassword = "current";
    m_sim.SetState(state);
    QProcessEnvironment environment = CleanEnvironment();
    environment.insert("TARNIX_PPP_PASSWORD", "env-ppp");
    environment.insert("TARNIX_WIFI_KEY", "env-wifi-key");
    environment.insert("TARNIX_ROUTER_PASSWORD", "current");
    environment.insert("TARNIX_NEW_ROUTER_PASSWORD", "env-admin");
    const Outcome outcome = Run(Apply({"--ppp-user", "joe", "--key", "option-key", "--no-probe"}),
                                environment);
    QCOMPARE(outcome.ExitCode, 0);
    state = m_sim.State();
    QCOMPARE(state.Services.at(0).Params.at("pppPassword"), std::string("env-ppp"));
    QCOMPARE(state.Key, std::string("option-key"));  // the option wins
    QCOMPARE(state.AdminPassword, std::string("env-admin"));
}

void TestTarnixSetup::login()
{
    const QStringList router = {"--router", m_sim.Address().c_str()};
    QCOMPARE(Run(router + QStringList{"login"}).ExitCode, 0);
    QCOMPARE(Run(router + QStringList{"login", "--password", "wrong"}).ExitCode, 1);
    m_sim.ClearRequests();
    m_sim.RefuseLogins(1);
    QCOMPARE(Run(router + QStringList{"login"}).ExitCode, 0);  // the retry is accepted
    QCOMPARE(m_sim.RequestsTo("/index.html").size(), std::size_t(2));
}

void TestTarnixSetup::readWireless()
{
    SimRouterState state;
    state.Ssid = "Home";
    state.Key = "homekey1";
    m_sim.SetState(state);
    const QStringList command = {"--router", m_sim.Address().c_str(), "read-wireless"};
    Outcome outcome = Run(command);
    QCOMPARE(outcome.ExitCode, 0);
    QCOMPARE(outcome.Out, QString("SSID: Home\nKey: homekey1\n"));

    state.Key.clear();
    m_sim.SetState(state);
    outcome = Run(command);
    QCOMPARE(outcome.ExitCode, 0);
    QCOMPARE(outcome.Out, QString("SSID: Home\nKey: None\n"));
}

// Escape sequences and line breaks from the router never reach the terminal.
void TestTarnixSetup::routerTextReachesTheTerminalSafe_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("shown");  // a line of the output
    QTest::newRow("read-wireless") << "read-wireless"
                                   << "SSID: ?]0;owned??[2JNet\nKey: k?2J??\n";
    QTest::newRow("read-wireless, JSON") << "read-wireless --json"
                                         << "\"key\":\"k\uFFFD2J??\"";
    QTest::newRow("check's downstream rate") << "check --no-probe"
                                             << "downstream rate: ?]0;PWNED??[2J9000 kbit/s\n";
}

void TestTarnixSetup::routerTextReachesTheTerminalSafe()
{
    QFETCH(QString, command);
    QFETCH(QString, shown);
    SimRouterState state;
    state.Ssid = "\x1b]0;owned\x07\x1b[2JNet";
    state.Key = "k\x9b"
                "2J\x7f\xc2\x9b";  // DEL and the 8-bit CSI
    state.DownstreamRate = "\x1b]0;PWNED\x07\x1b[2J9000";
    m_sim.SetState(state);
    const Outcome outcome = Run(QStringList{"--router", m_sim.Address().c_str()}
                                + command.split(' '));
    QCOMPARE(outcome.ExitCode, 0);
    QVERIFY2(outcome.Out.contains(shown), qPrintable(outcome.Out));
    QVERIFY(!outcome.Out.contains('\x1b') && !outcome.Out.contains('\x07'));
}

void TestTarnixSetup::dslStatus()
{
    const QStringList command = {"--router", m_sim.Address().c_str(), "dsl-status"};
    Outcome outcome = Run(command);
    QCOMPARE(outcome.ExitCode, 1);
    QCOMPARE(outcome.Out, QString("down\n"));

    SimRouterState state;
    state.DownstreamRate = "24000";
    m_sim.SetState(state);
    outcome = Run(command);
    QCOMPARE(outcome.ExitCode, 0);
    QCOMPARE(outcome.Out, QString("up\n"));
}

QTEST_GUILESS_MAIN(TestTarnixSetup)
