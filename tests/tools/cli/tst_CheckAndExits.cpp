// tarnix-setup telling "nothing answered" (exit 4, every command) from
// "something answered and said no",
// the JSON forms of read-wireless and dsl-status, and the check command,
// against the emulator on loopback, a loopback port nothing listens on and a
// silent system bus.

#include "ProgramRun.h"
#include "RouterSim.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QJsonObject Json(const QString& text)
{
    return QJsonDocument::fromJson(text.toUtf8()).object();
}
}  // namespace

class TestCheckAndExits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void noRouterOrRefusal_data();
    void noRouterOrRefusal();
    void readWirelessWithoutMarkersPrintsNothing();
    void jsonForms();
    void checkAllWell();
    void checkFindsProblems_data();
    void checkFindsProblems();
    void checkNeverPrintsThePassword();
    void helpNamesCheckAndExitFour();

private:
    QStringList Router() const { return {"--router", QString::fromStdString(m_sim.Address())}; }
    QString Probe() const { return QString("http://%1/support").arg(m_sim.Address().c_str()); }

    RouterSim m_sim;
    QString m_closed;  // a loopback address nothing listens on
};

void TestCheckAndExits::initTestCase()
{
    m_closed = QString::fromStdString(ClosedLoopbackAddress());
    QVERIFY(m_sim.Start() > 0);
}

void TestCheckAndExits::init()
{
    SimRouterState state;
    state.DownstreamRate = "8128";
    m_sim.SetState(state);
    m_sim.ClearFaults();
}

void TestCheckAndExits::cleanupTestCase()
{
    m_sim.Stop();
}

void TestCheckAndExits::noRouterOrRefusal_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("routerThere");
    QTest::addColumn<QString>("faultPath");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    for (const char* command :
         {"login", "read-wireless", "dsl-status", "check --no-probe",
          "apply --ppp-user joe --ppp-password pw --key secret123 --no-probe"})
        QTest::newRow(QByteArray(command).split(' ').first() + ", nothing listens")
            << command << false << "" << 0 << 4
            << (command[0] == 'c' ? QString() : QString(""));  // check prints its lines
    // Any HTTP answer is an answer: a refusal, whatever else may be there.
    QTest::newRow("login, another server")
        << "login" << true << "/index.html" << 404 << 1 << "refused\n";
    QTest::newRow("login, refused")
        << "login --password wrong" << true << "" << 0 << 1 << "refused\n";
    QTest::newRow("dsl-status, status page refused")
        << "dsl-status" << true << "/info.html" << 403 << 1 << "";
    QTest::newRow("read-wireless, page refused")
        << "read-wireless" << true << "/wlsecurity.html" << 302 << 1 << "";
}

void TestCheckAndExits::noRouterOrRefusal()
{
    QFETCH(QString, command);
    QFETCH(bool, routerThere);
    QFETCH(QString, faultPath);
    QFETCH(int, status);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    if (!faultPath.isEmpty())
        m_sim.SetFault(faultPath.toStdString(), SimFault{.Status = status});
    const QString address = routerThere ? QString::fromStdString(m_sim.Address()) : m_closed;
    const Outcome outcome = Run(QStringList{"--router", address} + command.split(' '));
    QCOMPARE(outcome.ExitCode, exitCode);
    if (!out.isNull())
        QCOMPARE(outcome.Out, out);
    QCOMPARE(outcome.Err.contains("no answer from the router at " + address), exitCode == 4);
    // Nothing answered the first login: apply goes no further.
    QVERIFY2(!outcome.Err.contains("Replacing the WAN service") || exitCode != 4,
             qPrintable(outcome.Err));
}

void TestCheckAndExits::readWirelessWithoutMarkersPrintsNothing()
{
    m_sim.SetFault("/wlsecurity.html", SimFault{.MissingMarker = true});
    const Outcome outcome = Run(Router() + QStringList{"read-wireless"});
    QCOMPARE(outcome.ExitCode, 1);
    QCOMPARE(outcome.Out, QString());
}

void TestCheckAndExits::jsonForms()
{
    SimRouterState state;
    state.Ssid = "Caf\xc3\xa9 \"5\"";
    state.Key.clear();
    state.DownstreamRate = "0";
    m_sim.SetState(state);
    Outcome outcome = Run(Router() + QStringList{"read-wireless", "--json"});
    QCOMPARE(outcome.ExitCode, 0);
    QJsonObject object = Json(outcome.Out);
    QCOMPARE(object.value("ssid").toString(), QString::fromUtf8("Caf\xc3\xa9 \"5\""));
    QCOMPARE(object.value("key").toString(), QString());

    outcome = Run(Router() + QStringList{"dsl-status", "--json"});
    QCOMPARE(outcome.ExitCode, 1);
    object = Json(outcome.Out);
    QCOMPARE(object.value("lineUp").toBool(true), false);
    QVERIFY(object.value("downstreamRate").isDouble());
    QCOMPARE(object.value("downstreamRate").toInt(-1), 0);
}

void TestCheckAndExits::checkAllWell()
{
    // A system bus that takes the connection and never answers: no
    // connection names, and the run goes on.
    QTemporaryDir folder;
    QLocalServer silentBus;
    QVERIFY(silentBus.listen(folder.filePath("bus")));
    QProcessEnvironment environment = CleanEnvironment();
    environment.insert("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + silentBus.fullServerName());
    QElapsedTimer clock;
    clock.start();
    const Outcome outcome = Run(Router() + QStringList{"check", "--probe-url", Probe()},
                                environment);
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(outcome.ExitCode, 0);
    for (const char* line : {"router network: reached through lo", "answers", "login: accepted",
                             "DSL line: up", "downstream rate: 8128 kbit/s", "all well"})
        QVERIFY2(outcome.Out.contains(line), qPrintable(outcome.Out));
}

void TestCheckAndExits::checkFindsProblems_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("routerThere");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("nothing listens") << QStringList{"--no-probe"} << false << "8128"
                                     << "routerAnswers"
                                     << "false" << 4;
    QTest::newRow("wrong password")
        << QStringList{"--no-probe", "--password", "nope"} << true << "8128"
        << "login"
        << "refused" << 1;
    QTest::newRow("line down") << QStringList{"--no-probe"} << true << "0"
                               << "dslLine"
                               << "not up" << 1;
    QTest::newRow("probe fails") << QStringList{"--probe-url", "CLOSED"} << true << "8128"
                                 << "probe"
                                 << "failed" << 1;
}

void TestCheckAndExits::checkFindsProblems()
{
    QFETCH(QStringList, options);
    QFETCH(bool, routerThere);
    QFETCH(QString, rate);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(int, exitCode);
    SimRouterState state;
    state.DownstreamRate = rate.toStdString();
    m_sim.SetState(state);
    options.replaceInStrings("CLOSED", "http://" + m_closed + "/");
    const QString address = routerThere ? QString::fromStdString(m_sim.Address()) : m_closed;
    const Outcome outcome = Run(QStringList{"--router", address, "check", "--json"} + options);
    QCOMPARE(outcome.ExitCode, exitCode);
    const QJsonObject object = Json(outcome.Out);
    QVERIFY2(!object.isEmpty(), qPrintable(outcome.Out));
    QCOMPARE(object.value(key).toVariant().toString(), value);
    QCOMPARE(object.value("allWell").toBool(true), false);
}

void TestCheckAndExits::checkNeverPrintsThePassword()
{
    SimRouterState state;
    state.AdminPassword = "Secr3tAdmin";
    state.DownstreamRate = "8128";
    m_sim.SetState(state);
    for (const QString& form : {QString(), QString("--json")})
    {
        QStringList arguments = Router()
                                + QStringList{"check", "--no-probe", "--password", "Secr3tAdmin"};
        if (!form.isEmpty())
            arguments << form;
        const Outcome outcome = Run(arguments);
        QCOMPARE(outcome.ExitCode, 0);
        QVERIFY(!outcome.Out.contains("Secr3tAdmin"));
        QVERIFY(!outcome.Err.contains("Secr3tAdmin"));
    }
}

void TestCheckAndExits::helpNamesCheckAndExitFour()
{
    const Outcome outcome = Run({"--help"});
    QCOMPARE(outcome.ExitCode, 0);
    QVERIFY(outcome.Out.contains("check [--password P]"));
    QVERIFY(outcome.Out.contains("exit 4"));
    QVERIFY(outcome.Out.contains("--json"));
    const Outcome version = Run({"-V"});
    QCOMPARE(version.ExitCode, 0);
    QVERIFY2(version.Out.startsWith("tarnix-setup "), qPrintable(version.Out));
}

QTEST_GUILESS_MAIN(TestCheckAndExits)
#include "tst_CheckAndExits.moc"
