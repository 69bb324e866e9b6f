// tarnix-setup, the built program, against emulators that answer badly. Its
// time-outs are the real ones, so the slow scenarios are only those whose
// time-outs add up to about 20 s; every scenario runs at once, each against
// an emulator of its own, and the rows then check what each one did: exit
// code, output, time, no cut request, nothing sent past a failure.

#include "RequestLogChecks.h"
#include "RouterFaults.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include <memory>

using namespace std::chrono_literals;

namespace {
// Longer than any of the program's time-outs (20 s page read, 15 s probe).
const SimFault kSlow{.Delay = 30s};
constexpr int kQuick = 10000;  // bound for a scenario without a time-out, many running at once

struct CliScenario
{
    const char* name;
    RouterFaults faults;
    QStringList arguments;  // after --router ADDRESS; PROBE stands for the emulator's support page
    int exitCode;
    QString out;  // expected standard output; null: not checked
    RunStage lastStage;
    int boundMs;
};

QStringList Apply(const QStringList& more = {})
{
    return QStringList{"apply", "--ppp-user",  "joe",       "--ppp-password",
                       "pw",    "--key",       "secret123", "--new-router-password",
                       "newpw", "--pause-ms",  "0",         "--settle-ms",
                       "0",     "--probe-url", "PROBE"}
           + more;
}

const std::vector<CliScenario>& Scenarios()
{
    using S = RunStage;
    const QStringList login = {"login"}, dsl = {"dsl-status"}, wireless = {"read-wireless"};
    const QString refused = "refused\n";
    const SimFault moved{.Status = 302}, garbage{.BinaryBytes = 70000};
    const SimFault empty{.EmptyBody = true}, foreign{.ForeignLogin = true},
        status500{.Status = 500};
    const SimFault padded{.PadBytes = 3'000'000};
    const auto cut = [](std::size_t bytes) { return SimFault{.DropAfterBytes = bytes}; };
    static const std::vector<CliScenario> scenarios = {
        // Slower than a time-out: one 20 s page read, or the 15 s probe.
        // A time-out is no answer (4), nothing printed.
        {"dsl-status, status page too slow", At("/info.html", kSlow), dsl, 4, "", S::Status, 25000},
        {"read-wireless, security page too slow", At("/wlsecurity.html", kSlow), wireless, 4, "",
         S::Wireless, 25000},
        {"apply, probe site too slow", At("/support", kSlow), Apply(), 3, {}, S::Probe, 22000},

        // No whole HTTP answer: nothing answered (4). Any HTTP answer without
        // the session cookie: refused (1), whatever answered.
        {"login, answer cut", At("/index.html", cut(20)), login, 4, "", S::Login, kQuick},
        {"login, 302 everywhere", Everywhere(moved), login, 1, refused, S::Login, kQuick},
        {"login, binary answer", Everywhere(garbage), login, 1, refused, S::Login, kQuick},
        {"login, index.html a status page", IndexIsStatusPage(), login, 1, refused, S::Login,
         kQuick},
        {"login, index.html 302 to another page", IndexRedirects(), login, 1, refused, S::Login,
         kQuick},
        {"login, 200 and empty everywhere", Everywhere(empty), login, 1, refused, S::Login, kQuick},
        {"login, another make's login page", Everywhere(foreign), login, 1, refused, S::Login,
         kQuick},
        {"login, refused", LoginsRefused(5), login, 1, refused, S::Login, kQuick},
        {"login, megabytes of page", Everywhere(padded), login, 0, "accepted\n", S::Login, kQuick},
        {"login, two webuicookie cookies", Everywhere({.RepeatedMarker = true}), login, 0,
         "accepted\n", S::Login, kQuick},

        // Nothing is sent past a first login that got no session cookie.
        {"apply, 302 everywhere", Everywhere(moved), Apply(), 1, {}, S::Login, kQuick},
        {"apply, index.html a status page", IndexIsStatusPage(), Apply(), 1, {}, S::Login, kQuick},
        {"apply, 200 and empty everywhere", Everywhere(empty), Apply(), 1, {}, S::Login, kQuick},
        {"apply, another make's login page", Everywhere(foreign), Apply(), 1, {}, S::Login, kQuick},
        {"apply, 500 to the service summary",
         At("/internet_sum.cgi", status500),
         Apply(),
         1,
         {},
         S::Wan,
         kQuick},
        {"apply, 500 to the wireless security",
         At("/wlsecurity.wl", status500),
         Apply(),
         1,
         {},
         S::Wireless,
         kQuick},
        {"apply, session keys refused", KeysRefused(), Apply(), 1, {}, S::Wan, kQuick},
        {"apply, markers missing",
         Everywhere({.MissingMarker = true}),
         Apply(),
         1,
         {},
         S::Wan,
         kQuick},
        {"apply, two session keys",
         Everywhere({.RepeatedMarker = true}),
         Apply(),
         1,
         {},
         S::Wan,
         kQuick},
        {"apply, login answer cut", At("/index.html", cut(20)), Apply(), 4, {}, S::Login, kQuick},
        {"apply, wireless answer cut",
         At("/wlcfg.wl", cut(10)),
         Apply(),
         1,
         {},
         S::Wireless,
         kQuick},
        {"apply, password answer cut",
         At("/password.cgi", cut(10)),
         Apply(),
         1,
         {},
         S::Password,
         kQuick},
        {"apply, megabytes before every marker",
         Everywhere(padded),
         Apply(),
         0,
         {},
         S::Probe,
         kQuick},
        {"apply, binary garbage everywhere", Everywhere(garbage), Apply(), 1, {}, S::Login, kQuick},
        {"apply, binary probe page", At("/support", garbage), Apply(), 3, {}, S::Probe, kQuick},
        {"apply, 302 on the probe site", At("/support", moved), Apply(), 3, {}, S::Probe, kQuick},
        {"apply, service list without a brace",
         At("/setup_wancfg.html", {.ServiceList = "old_0_1_32"}),
         Apply(),
         0,
         {},
         S::Probe,
         kQuick},

        {"dsl-status, binary page", Everywhere(garbage), dsl, 1, "", S::Status, kQuick},
        {"dsl-status, 302", Everywhere(moved), dsl, 1, "", S::Status, kQuick},
        {"dsl-status, 200 and empty", Everywhere(empty), dsl, 1, "", S::Status, kQuick},
        {"dsl-status, rate row without its end",
         At("/info.html", {.Body = "<tr><td>Downstream Line Rate</td><td>8128</td>"}), dsl, 1, "",
         S::Status, kQuick},
        {"dsl-status, page cut", Everywhere(cut(60)), dsl, 4, "", S::Status, kQuick},
        {"dsl-status, no rate on the page", At("/info.html", {.MissingMarker = true}), dsl, 1, "",
         S::Status, kQuick},
        {"dsl-status, megabytes before the rate", Everywhere(padded), dsl, 0, "up\n", S::Status,
         kQuick},
        {"read-wireless, binary page", Everywhere(garbage), wireless, 1, "", S::Wireless, kQuick},
        {"read-wireless, another make's login page", Everywhere(foreign), wireless, 1, "",
         S::Wireless, kQuick},
        {"check, another make's login page",
         Everywhere(foreign),
         {"check", "--no-probe"},
         1,
         {},
         S::Login,
         kQuick},
        {"read-wireless, page cut", Everywhere(cut(60)), wireless, 4, "", S::Wireless, kQuick},
        {"read-wireless, markers missing", At("/wlsecurity.html", {.MissingMarker = true}),
         wireless, 1, "", S::Wireless, kQuick},
    };
    return scenarios;
}

// One scenario under way: its emulator, the program and when it ended.
struct Launch
{
    std::unique_ptr<RouterSim> sim;
    std::unique_ptr<QProcess> process;
    QElapsedTimer clock;
    qint64 elapsedMs = -1;  // -1: has not ended
};

// Nothing from the caller's environment, so no secret variable is picked up.
QProcessEnvironment BareEnvironment()
{
    QProcessEnvironment environment;
    environment.insert("LC_ALL", "C");
    return environment;
}
}  // namespace

class TestFaultsCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void scenarios_data();
    void scenarios();

private:
    void Start(const CliScenario& scenario, Launch& launch);
    bool AllEnded() const;

    std::vector<Launch> m_launches;
};

void TestFaultsCli::Start(const CliScenario& scenario, Launch& launch)
{
    launch.sim = std::make_unique<RouterSim>();
    QVERIFY(launch.sim->Start() > 0);
    launch.sim->SetState(ScenarioRouterState());
    ApplyFaults(*launch.sim, scenario.faults);
    const QString address = QString::fromStdString(launch.sim->Address());
    QStringList arguments = QStringList{"--router", address} + scenario.arguments;
    arguments.replaceInStrings("PROBE", "http://" + address + "/support");

    launch.process = std::make_unique<QProcess>();
    launch.process->setProcessEnvironment(BareEnvironment());
    connect(launch.process.get(), &QProcess::finished, this,
            [&launch] { launch.elapsedMs = launch.clock.elapsed(); });
    launch.clock.start();
    launch.process->start(TARNIX_SETUP_PATH, arguments);
}

bool TestFaultsCli::AllEnded() const
{
    return std::all_of(m_launches.begin(), m_launches.end(),
                       [](const Launch& launch) { return launch.elapsedMs >= 0; });
}

void TestFaultsCli::initTestCase()
{
    m_launches.resize(Scenarios().size());
    for (std::size_t i = 0; i < Scenarios().size(); ++i)
        Start(Scenarios()[i], m_launches[i]);
    int longest = 0;
    for (const CliScenario& scenario : Scenarios())
        longest = std::max(longest, scenario.boundMs);
    // A program that hangs fails its own row below; the wait itself is bounded.
    if (!QTest::qWaitFor([this] { return AllEnded(); }, longest + 5000))
        qWarning("a scenario's program has not ended");
}

void TestFaultsCli::cleanupTestCase()
{
    for (Launch& launch : m_launches)
    {
        if (launch.process->state() != QProcess::NotRunning)
        {
            launch.process->kill();
            launch.process->waitForFinished(5000);
        }
    }
    m_launches.clear();
}

void TestFaultsCli::scenarios_data()
{
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < Scenarios().size(); ++i)
        QTest::newRow(Scenarios()[i].name) << int(i);
}

void TestFaultsCli::scenarios()
{
    QFETCH(int, index);
    const CliScenario& scenario = Scenarios()[index];
    Launch& launch = m_launches[index];
    QVERIFY2(launch.elapsedMs >= 0, "the program did not end");
    QVERIFY2(launch.elapsedMs < scenario.boundMs,
             qPrintable(QString("took %1 ms").arg(launch.elapsedMs)));
    QCOMPARE(launch.process->exitStatus(), QProcess::NormalExit);  // no crash
    QCOMPARE(launch.process->exitCode(), scenario.exitCode);
    if (!scenario.out.isNull())
        QCOMPARE(QString::fromUtf8(launch.process->readAllStandardOutput()), scenario.out);

    const std::vector<SimRequest> log = launch.sim->Requests();
    QVERIFY2(!log.empty(), "nothing reached the emulator");
    const QStringList cut = CutRequests(log, launch.sim->Address());
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
    const QStringList late = RequestsPast(log, scenario.lastStage);
    QVERIFY2(late.isEmpty(), qPrintable(late.join('\n')));
    if (scenario.arguments.first() == "apply" && scenario.exitCode == 0)
    {
        // Exit 0 only when the router really holds the settings.
        const QString missing = MissingSettings(launch.sim->State());
        QVERIFY2(missing.isEmpty(), qPrintable(missing));
    }
}

QTEST_GUILESS_MAIN(TestFaultsCli)
#include "tst_FaultsCli.moc"
