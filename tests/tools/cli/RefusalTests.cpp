// tst_TarnixSetup, continued: what tarnix-setup refuses before anything is
// sent, each refusal naming the option it is about.

#include "ProgramRun.h"
#include "TestTarnixSetup.h"

#include <QtTest>

void TestTarnixSetup::refusedValues_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("message");
    const QStringList ppp = {"--ppp-user", "joe", "--ppp-password", "pw"};
    const QStringList ok = ppp + QStringList{"--key", "secret123"};
    QTest::newRow("vpi") << QStringList{"--vpi", "-1"} << "--vpi: VPI value must be 0 - 255";
    QTest::newRow("vci") << ok + QStringList{"--vci", "65536"}
                         << "--vci: VCI value must be 32 - 65535";
    QTest::newRow("user") << QStringList{"--key", "secret123"} << "--ppp-user: Invalid user name.";
    QTest::newRow("ppp password") << QStringList{"--ppp-user", "joe"}
                                  << "--ppp-password: Passwords do not match!";
    QTest::newRow("ip") << QStringList{"--protocol", "IPoA"}
                        << "--ip: IP Address can not be empty!";
    QTest::newRow("mask") << QStringList{"--protocol", "mer",      "--mer-ip", "Static",
                                         "--ip",       "10.0.0.2", "--mask",   "255.255.255.255"}
                          << "--mask: Please Enter a Valid subnet mask";
    QTest::newRow("dns") << QStringList{"--protocol", "ipoa",      "--ip",      "10.0.0.2",
                                        "--mask",     "255.0.0.0", "--gateway", "10.0.0.1",
                                        "--dns1",     "0.0.0.0"}
                         << "--dns2: Primary DNS and Secondary DNS must be different.";
    QTest::newRow("gateway") << QStringList{"--protocol", "ipoa",      "--ip",      "10.0.0.2",
                                            "--mask",     "255.0.0.0", "--gateway", "10.0.0.300",
                                            "--dns1",     "10.0.0.3"}
                             << "--gateway: Please Enter a Valid IP Address";
    QTest::newRow("ssid") << ppp + QStringList{"--ssid", QString(33, 's')}
                          << "--ssid: ssid length error,please try again";
    QTest::newRow("empty key") << ppp << "--key: Wireless Password cannot be empty.";
    QTest::newRow("short trimmed key")
        << ppp + QStringList{"--key", " 1234567 "}
        << "--key: Wireless Password must between 8 and 63 characters.";
    QTest::newRow("new router password") << ok + QStringList{"--new-router-password", ""}
                                         << "--new-router-password: Invalid Pasword!";
    QTest::newRow("router password")
        << ok + QStringList{"--router-password", ""} << "--router-password: Invalid Password!";
}

void TestTarnixSetup::refusedValues()
{
    QFETCH(QStringList, options);
    QFETCH(QString, message);
    const Outcome outcome = Run(Apply(options + QStringList{"--no-probe"}));
    QCOMPARE(outcome.ExitCode, 2);
    // Every error line names the option it is about.
    QCOMPARE(outcome.Err.trimmed(), "tarnix-setup: " + message);
    QVERIFY(m_sim.Requests().empty());
}

void TestTarnixSetup::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no command") << QStringList{};
    QTest::newRow("unknown command") << QStringList{"reboot"};
    QTest::newRow("unknown option") << QStringList{"apply", "--colour", "red"};
    QTest::newRow("option of another command") << QStringList{"login", "--ssid", "x"};
    QTest::newRow("missing value") << QStringList{"apply", "--ssid"};
    QTest::newRow("bad pause") << QStringList{"apply", "--pause-ms", "-5"};
    QTest::newRow("four probe urls") << QStringList{
        "apply", "--probe-url", "a", "--probe-url", "b", "--probe-url", "c", "--probe-url", "d"};
    QTest::newRow("second command") << QStringList{"login", "dsl-status"};
    QTest::newRow("router address with a path") << QStringList{"--router", "127.0.0.1/x", "login"};
    QTest::newRow("port past 65535") << QStringList{"--router", "127.0.0.1:99999", "login"};
    QTest::newRow("port 0") << QStringList{"--router", "127.0.0.1:0", "login"};
    QTest::newRow("port without host") << QStringList{"--router", ":80", "login"};
    QTest::newRow("two colons") << QStringList{"--router", "a:b:80", "login"};
    QTest::newRow("signed port") << QStringList{"--router", "127.0.0.1:+80", "login"};
    // With every other value valid, so that only the one in question can refuse.
    const QStringList apply = {"apply", "--ppp-user", "joe",       "--ppp-password",
                               "pw",    "--key",      "secret123", "--no-probe"};
    QTest::newRow("file probe url") << apply + QStringList{"--probe-url", "file:///etc/passwd"};
    QTest::newRow("probe url without host") << apply + QStringList{"--probe-url", "http://"};
    QTest::newRow("probe url port past 65535")
        << apply + QStringList{"--probe-url", "http://127.0.0.1:99999/"};
    QTest::newRow("check's probe url port 0")
        << QStringList{"check", "--probe-url", "http://127.0.0.1:0/"};
    QTest::newRow("check's file probe url") << QStringList{"check", "--probe-url", "file:///"};
    QTest::newRow("hexadecimal vpi") << apply + QStringList{"--vpi", "0x8"};
    QTest::newRow("vci with letters") << apply + QStringList{"--vci", "35abc"};
    QTest::newRow("signed vci") << apply + QStringList{"--vci", "+35"};
    QTest::newRow("pause that overflows")
        << apply + QStringList{"--pause-ms", "9223372036854775807"};
    QTest::newRow("pause past an hour") << apply + QStringList{"--settle-ms", "3600001"};
    QTest::newRow("pause with a sign") << apply + QStringList{"--pause-ms", "+5"};
    QTest::newRow("pause with a blank") << apply + QStringList{"--pause-ms", " 5"};
}

// Values the pages would take but the router link cannot carry: refused
// before anything is sent, not even the login, naming the option.
void TestTarnixSetup::uncarriableValues_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("variable");  // NAME=value in the environment, or empty
    QTest::addColumn<QString>("message");
    const QStringList ok = {"--ppp-user", "joe", "--ppp-password", "pw", "--key", "secret123"};
    const QString huge(131000, 'a');
    const QString tooLong = " is too long to send to the router. Please make it shorter.";
    const QString semicolon =
        " cannot be sent to the router: it holds a semicolon (;) or a control "
        "character. Please choose a password without them.";
    QTest::newRow("new router password of 131000 bytes")
        << ok + QStringList{"--new-router-password", huge} << ""
        << "--new-router-password: The new router password" + tooLong;
    QTest::newRow("PPP user name of 131000 bytes")
        << QStringList{"--ppp-user", huge, "--ppp-password", "pw", "--key", "secret123"} << ""
        << "--ppp-user: The user name of your Internet account" + tooLong;
    QTest::newRow("router password with a semicolon")
        << ok + QStringList{"--router-password", "a;webuicookie="} << ""
        << "--router-password: The router password" + semicolon;
    QTest::newRow("new password with a semicolon, from the environment")
        << ok << "TARNIX_NEW_ROUTER_PASSWORD=new;pw"
        << "--new-router-password: The new router password" + semicolon;
}

void TestTarnixSetup::uncarriableValues()
{
    QFETCH(QStringList, options);
    QFETCH(QString, variable);
    QFETCH(QString, message);
    QProcessEnvironment environment = CleanEnvironment();
    if (!variable.isEmpty())
        environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
    const Outcome outcome = Run(Apply(options + QStringList{"--no-probe"}), environment);
    QCOMPARE(outcome.ExitCode, 2);
    QCOMPARE(outcome.Err.trimmed(), "tarnix-setup: " + message);
    QVERIFY(m_sim.Requests().empty());
    QCOMPARE(m_sim.State().AdminPassword, std::string("vabel"));
}

void TestTarnixSetup::usageErrors()
{
    QFETCH(QStringList, arguments);
    const Outcome outcome = Run(QStringList{"--router", m_sim.Address().c_str()} + arguments);
    QCOMPARE(outcome.ExitCode, 2);
    QVERIFY(outcome.Err.startsWith("tarnix-setup: "));
    QVERIFY(m_sim.Requests().empty());
}
