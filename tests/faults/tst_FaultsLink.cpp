// The router link and the apply run in-process, with shortened time-outs,
// against an emulator that answers badly. One scenario per row: the faults,
// the operation, the outcome it must end with, the last stage it may reach and
// the time it may take. One runner checks every row the same way: outcome,
// time, no cut request, nothing sent past the stage a failure stops at.

#include "CApplyRun.h"
#include "CCancellablePause.h"
#include "CIpLink.h"
#include "HttpTransport.h"
#include "InternetProbe.h"
#include "LinkOperations.h"
#include "PeakMemory.h"
#include "RequestLogChecks.h"
#include "RouterFaults.h"
#include "ScenarioSettings.h"
#include "WizardSettings.h"

#include <QElapsedTimer>
#include <QtTest>

#include <memory>
#include <thread>

namespace {
constexpr std::size_t kMegabytes = 3'000'000;
}  // namespace

Q_DECLARE_METATYPE(SimFault)

class TestFaultsLink : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void badAnswers_data();
    void badAnswers();
    void serviceLists_data();
    void serviceLists();
    void cancelledWhileLoginHangs();
    void answersPastTheCap_data();
    void answersPastTheCap();

private:
    void AddColumns();
    void RunScenario();

    std::unique_ptr<RouterSim> m_sim;
};

void TestFaultsLink::init()
{
    // A fresh emulator each time: no session, key or delayed answer carries over.
    m_sim = std::make_unique<RouterSim>();
    QVERIFY(m_sim->Start() > 0);
    m_sim->SetState(ScenarioRouterState());
    GetWizardSettings() = SamplePppoeSettingsWithNewPassword();
}

void TestFaultsLink::cleanup()
{
    m_sim.reset();
}

void TestFaultsLink::AddColumns()
{
    QTest::addColumn<RouterFaults>("faults");
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<RunStage>("lastStage");
    QTest::addColumn<int>("boundMs");
}

// Runs the row's operation against the row's faults and checks what every
// row must hold.
void TestFaultsLink::RunScenario()
{
    QFETCH(RouterFaults, faults);
    QFETCH(Operation, operation);
    QFETCH(QString, expected);
    QFETCH(RunStage, lastStage);
    QFETCH(int, boundMs);
    ApplyFaults(*m_sim, faults);

    QElapsedTimer clock;
    clock.start();
    const QString outcome = RunOperation(operation, m_sim->Address());
    const qint64 elapsed = clock.elapsed();

    [&] {
        QCOMPARE(outcome, expected);
        QVERIFY2(elapsed < boundMs, qPrintable(QString("took %1 ms").arg(elapsed)));
        const std::vector<SimRequest> log = m_sim->Requests();
        QVERIFY2(!log.empty(), "nothing reached the emulator");
        const QStringList cut = CutRequests(log, m_sim->Address());
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
        const QStringList late = RequestsPast(log, lastStage);
        QVERIFY2(late.isEmpty(), qPrintable(late.join('\n')));
        if (outcome == "applied, online")
        {
            // Success is reported only for what the router really holds now.
            const SimRouterState state = m_sim->State();
            QVERIFY2(MissingSettings(state).isEmpty(), qPrintable(MissingSettings(state)));
            QCOMPARE(state.Ssid, std::string("Home Net"));
        }
        else if (operation == Operation::ApplyRun && !outcome.startsWith("applied"))
        {
            // A failed run leaves later logins on the password the router has.
            QCOMPARE(GetRouterLink()->GetPassword(), std::string("vabel"));
            QVERIFY(!GetWizardSettings().RouterPasswordChanged);
        }
    }();
}

void TestFaultsLink::badAnswers_data()
{
    AddColumns();
    const auto apply = Operation::ApplyRun;
    const auto wan = RunStage::Wan;
    const auto add = [](const char* name, RouterFaults faults, Operation operation,
                        QString expected, RunStage last, int boundMs) {
        QTest::newRow(name) << faults << operation << expected << last << boundMs;
    };
    const auto drop = [](std::size_t bytes) { return SimFault{.DropAfterBytes = bytes}; };

    // Slower than every time-out.
    add("slow everywhere", Everywhere(kSlow), apply, "no answer", RunStage::Login, 6000);
    add("slow login", At("/index.html", kSlow), apply, "no answer", RunStage::Login, 3500);
    add("slow service removal and add", At("/dlwancfg.cmd", kSlow), apply, "WAN failed, no answer",
        wan, 3000);
    add("slow service summary", At("/internet_sum.cgi", kSlow), apply, "WAN failed, no answer", wan,
        3000);
    add("slow wireless form", At("/wlcfg.html", kSlow), apply, "wireless failed, network refused",
        RunStage::Wireless, 3000);
    add("slow wireless security", At("/wlsecurity.wl", kSlow), apply, "wireless failed, no answer",
        RunStage::Wireless, 3000);
    add("slow password change", At("/password.cgi", kSlow), apply, "password failed, no answer",
        RunStage::Password, 3000);
    add("slow probe site", At("/support", kSlow), apply, "applied, offline", RunStage::Probe, 3000);
    add("slow login alone", Everywhere(kSlow), Operation::Login, "no answer", RunStage::Login,
        3500);
    add("slow status page", Everywhere(kSlow), Operation::DslStatus, "down", RunStage::Status,
        2000);
    add("slow security page", Everywhere(kSlow), Operation::ReadWireless, "SSID , key ",
        RunStage::Wireless, 2000);

    // The connection dropped mid-answer.
    add("login answer cut", At("/index.html", drop(20)), apply, "no answer", RunStage::Login, 3000);
    add("cut inside the session key", At("/setup_wancfg.html", drop(102)), apply,
        "WAN failed, service refused", wan, 3000);
    add("service summary cut", At("/internet_sum.cgi", drop(30)), apply, "WAN failed, no answer",
        wan, 3000);
    add("wireless answer cut", At("/wlcfg.wl", drop(10)), apply, "wireless failed, no answer",
        RunStage::Wireless, 3000);
    add("password answer cut", At("/password.cgi", drop(10)), apply, "password failed, no answer",
        RunStage::Password, 3000);
    add("login alone cut", At("/index.html", drop(20)), Operation::Login, "no answer",
        RunStage::Login, 3000);
    add("status page cut", Everywhere(drop(60)), Operation::DslStatus, "down", RunStage::Status,
        2000);

    // 302 everywhere.
    const SimFault moved{.Status = 302};
    add("302 everywhere", Everywhere(moved), apply, "login refused", RunStage::Login, 3000);
    add("302 on the probe site", At("/support", moved), apply, "applied, offline", RunStage::Probe,
        3000);
    add("302 to the login", Everywhere(moved), Operation::Login, "refused", RunStage::Login, 2000);
    add("302 to the status page", Everywhere(moved), Operation::DslStatus, "down", RunStage::Status,
        2000);

    // Huge and binary pages.
    add("megabytes before every marker", Everywhere({.PadBytes = kMegabytes}), apply,
        "applied, online", RunStage::Probe, 10000);
    add("150000-byte pages", Everywhere({.HugeBody = true}), apply, "applied, online",
        RunStage::Probe, 5000);
    add("megabytes before the rate", Everywhere({.PadBytes = kMegabytes}), Operation::DslStatus,
        "up", RunStage::Status, 3000);
    add("megabytes before the login cookie's page", Everywhere({.PadBytes = kMegabytes}),
        Operation::Login, "accepted", RunStage::Login, 3000);
    add("megabytes before the security page's markers", Everywhere({.PadBytes = kMegabytes}),
        Operation::ReadWireless, "SSID KRX-5100A, key changeme123", RunStage::Wireless, 3000);
    const SimFault garbage{.BinaryBytes = 70000};
    // Garbage with status 200 to everything: no session cookie, so nothing
    // is sent past the login.
    add("binary garbage everywhere", Everywhere(garbage), apply, "login refused", RunStage::Login,
        3000);
    add("binary WAN form", At("/setup_wancfg.html", garbage), apply, "WAN failed, service refused",
        wan, 3000);
    add("binary wireless form", At("/wlcfg.html", garbage), apply,
        "wireless failed, network refused", RunStage::Wireless, 3000);
    add("binary probe page", At("/support", garbage), apply, "applied, offline", RunStage::Probe,
        3000);
    add("binary login answer", Everywhere(garbage), Operation::Login, "refused", RunStage::Login,
        2000);
    add("binary status page", Everywhere(garbage), Operation::DslStatus, "down", RunStage::Status,
        2000);
    add("binary security page", Everywhere(garbage), Operation::ReadWireless, "SSID , key ",
        RunStage::Wireless, 2000);
    add("NUL byte early everywhere", Everywhere({.NulByte = true}), apply,
        "WAN failed, service refused", wan, 3000);

    // Markers missing or repeated, keys and logins refused.
    add("markers missing everywhere", Everywhere({.MissingMarker = true}), apply,
        "WAN failed, service refused", wan, 3000);
    add("no key on the password form", At("/password.html", {.MissingMarker = true}), apply,
        "password failed, password refused", RunStage::Password, 3000);
    add("two session keys, stale first", Everywhere({.RepeatedMarker = true}), apply,
        "WAN failed, service refused", wan, 3000);
    add("two webuicookie cookies, stale first", At("/index.html", {.RepeatedMarker = true}), apply,
        "WAN failed, service refused", wan, 3000);
    add("session keys refused", KeysRefused(), apply, "WAN failed, service refused", wan, 3000);

    // Keys and cookies that cannot be sent as they are: never sent cut.
    const auto page = [](std::string text) { return SimFault{.Body = std::move(text)}; };
    const std::string megabytes(kMegabytes, 'x');
    add("session key without its closing apostrophe",
        At("/wlcfg.html", page("sessionKey = '" + megabytes)), apply,
        "wireless failed, network refused", RunStage::Wireless, 3000);
    // Too long for its buffer, short enough for the emulator to log if sent.
    const std::string kilobytes(2000, 'x');
    add("session key of kilobytes",
        At("/wlcfg.html", page("var sessionKey = '" + kilobytes + "';")), apply,
        "wireless failed, network refused", RunStage::Wireless, 3000);
    add("login cookie of kilobytes", At("/index.html", page("webuicookie=" + kilobytes + ";")),
        apply, "WAN failed, service refused", RunStage::Login, 3000);
    add("session key that needs escaping",
        At("/wlcfg.html", page("var sessionKey = '1&2#3 4+5%';")), apply,
        "wireless failed, network refused", RunStage::Wireless, 3000);
    add("login cookie with a line break", At("/index.html", page("webuicookie=12\r\nX-Y: z;")),
        apply, "login refused", RunStage::Login, 3000);
    add("login cookie of megabytes", At("/index.html", page("webuicookie=" + megabytes)), apply,
        "WAN failed, service refused", RunStage::Login, 3000);
    add("login cookie without a semicolon", At("/index.html", page("webuicookie=12")), apply,
        "WAN failed, service refused", wan, 3000);
    add("logins refused", LoginsRefused(1000), apply, "login refused", RunStage::Login, 3000);

    // What a real router may do where its documented pages say nothing.
    add("index.html a status page", IndexIsStatusPage(), apply, "login refused", RunStage::Login,
        3000);
    add("index.html a status page, login alone", IndexIsStatusPage(), Operation::Login, "refused",
        RunStage::Login, 2000);
    add("index.html 302 to another page", IndexRedirects(), apply, "login refused", RunStage::Login,
        3000);
    const SimFault refused{.Status = 500};
    add("500 to the quick-setup page", At("/internet_setup.cmd", refused), apply,
        "WAN failed, service refused", wan, 3000);
    add("500 to the service summary", At("/internet_sum.cgi", refused), apply,
        "WAN failed, service refused", wan, 3000);
    add("500 to the service removal and add", At("/dlwancfg.cmd", refused), apply,
        "WAN failed, service refused", wan, 3000);
    add("500 to the wireless network", At("/wlcfg.wl", refused), apply,
        "wireless failed, network refused", RunStage::Wireless, 3000);
    add("500 to the wireless security", At("/wlsecurity.wl", refused), apply,
        "wireless failed, security refused", RunStage::Wireless, 3000);
    add("500 to the password change", At("/password.cgi", refused), apply,
        "password failed, password refused", RunStage::Password, 3000);

    // Something at the address that is not this router: nothing past the login.
    add("200 and empty everywhere", Everywhere({.EmptyBody = true}), apply, "login refused",
        RunStage::Login, 3000);
    add("another make's login page", Everywhere({.ForeignLogin = true}), apply, "login refused",
        RunStage::Login, 3000);
    add("another make's login page, login alone", Everywhere({.ForeignLogin = true}),
        Operation::Login, "refused", RunStage::Login, 2000);
    add("first login refused", LoginsRefused(1), apply, "applied, online", RunStage::Probe, 3000);
}

void TestFaultsLink::badAnswers()
{
    RunScenario();
}

void TestFaultsLink::serviceLists_data()
{
    AddColumns();
    QTest::addColumn<QStringList>("removed");
    const auto add = [](const char* name, const std::string& list, QStringList removed) {
        QTest::newRow(name) << At("/setup_wancfg.html", {.ServiceList = list})
                            << Operation::ApplyRun << QString("applied, online") << RunStage::Probe
                            << 3000 << removed;
    };
    add("two entries", "old_0_1_32}EoA}1/32|,|pppoa_0_0_100}PPPoA}0/100",
        {"old_0_1_32", "pppoa_0_0_100"});
    add("repeated separators", "old_0_1_32}EoA}1/32|,||,||,|br_0_8_35}EoA}8/35",
        {"old_0_1_32", "br_0_8_35"});
    add("separator at both ends", "|,|old_0_1_32}EoA}1/32|,|", {"old_0_1_32"});
    add("missing closing brace", "old_0_1_32", {});
    add("closing brace only on the second", "old_0_1_32|,|br_0_8_35}EoA}8/35", {"br_0_8_35"});
    add("names that need escaping", "a&b=c#d}EoA}1/32|,|x y+z%}EoA}8/35", {"a&b=c#d", "x y+z%"});
    add("name too long for its request", std::string(600, 'n') + "}EoA}1/32|,|old_0_1_32}EoA}1/32",
        {"old_0_1_32"});
    add("empty list", "", {});
}

void TestFaultsLink::serviceLists()
{
    QFETCH(QStringList, removed);
    RunScenario();
    QCOMPARE(Removals(m_sim->Requests()), removed);
}

// The window that started the run closes while the router does not answer
// the login: nothing more is sent, not even the login's retry, and the run
// ends with the request in flight.
void TestFaultsLink::cancelledWhileLoginHangs()
{
    m_sim->SetFault("/index.html", kSlow);
    CCancellablePause pause;
    ApplyRunOptions options;
    options.RouterAddress = m_sim->Address();
    options.Timeouts = kShortTimeouts;
    ApplyOutcome outcome = ApplyOutcome::Applied;
    std::thread worker(
        [&] { outcome = CApplyRun(*GetRouterLink(), GetWizardSettings(), pause, options).Run(); });
    QTRY_COMPARE(m_sim->Requests().size(), std::size_t(1));
    QElapsedTimer clock;
    clock.start();
    pause.Cancel();
    worker.join();
    QVERIFY2(clock.elapsed() < kShortTimeouts.Post.count() + 500,
             qPrintable(QString("took %1 ms").arg(clock.elapsed())));
    QCOMPARE(outcome, ApplyOutcome::Cancelled);
    QCOMPARE(m_sim->Requests().size(), std::size_t(1));
}

// A device at the router's address that answers without end, or with more
// than any router page: each request fails at the cap, soon, and the process
// grows by far less than the answer. The real time-outs apply, so a request
// that ran until its time-out would fail the time bound.
void TestFaultsLink::answersPastTheCap_data()
{
    QTest::addColumn<SimFault>("fault");
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QString>("expected");
    const SimFault endless{.EndlessChunked = true};
    const SimFault announced{.StreamBytes = 200'000'000};
    const SimFault unannounced{.StreamBytes = 200'000'000, .StreamWithoutLength = true};
    for (const auto& [kind, fault] :
         {std::pair{"endless chunked", endless}, std::pair{"200 MB with Content-Length", announced},
          std::pair{"200 MB without Content-Length", unannounced}})
    {
        QTest::addRow("%s, login", kind) << fault << Operation::Login << "refused";
        QTest::addRow("%s, page read", kind) << fault << Operation::DslStatus << "down";
        QTest::addRow("%s, whole run and probe", kind)
            << fault << Operation::ApplyRun << "login refused";
    }
}

void TestFaultsLink::answersPastTheCap()
{
    QFETCH(SimFault, fault);
    QFETCH(Operation, operation);
    QFETCH(QString, expected);
    m_sim->SetFaultEverywhere(fault);
    const bool measured = ResetPeakResident();
    const long before = PeakResidentKb();
    QElapsedTimer clock;
    clock.start();
    // The real time-outs: only the cap can end these requests soon.
    const QString outcome = RunOperation(operation, m_sim->Address(), HttpTimeouts{});
    const qint64 elapsed = clock.elapsed();
    const long growthKb = PeakResidentKb() - before;

    QCOMPARE(outcome, expected);
    QVERIFY2(elapsed < 10000, qPrintable(QString("took %1 ms").arg(elapsed)));
    if (!measured || before < 0)
        QSKIP("the kernel does not let the peak memory be reset (/proc/self/clear_refs)");
    qInfo("peak memory grew by %ld KB", growthKb);
    QVERIFY2(growthKb < 64 * 1024, qPrintable(QString("grew by %1 KB").arg(growthKb)));

    // The probe of a site that answers the same way ends as soon.
    if (operation == Operation::ApplyRun)
    {
        const std::vector<std::string> probe = {"http://" + m_sim->Address() + "/support"};
        // The probe's own growth: under AddressSanitizer the run's freed buffers
        // stay resident in its quarantine.
        ResetPeakResident();
        const long beforeProbe = PeakResidentKb();
        clock.restart();
        QCOMPARE(ProbeSitesInOrder(probe, kProbeTimeout), -1);
        QVERIFY2(clock.elapsed() < 5000,
                 qPrintable(QString("probe took %1 ms").arg(clock.elapsed())));
        QVERIFY2(PeakResidentKb() - beforeProbe < 64 * 1024, "the probe grew past 64 MB");
    }
}

QTEST_GUILESS_MAIN(TestFaultsLink)
#include "tst_FaultsLink.moc"
