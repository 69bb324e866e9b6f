// The apply run and the ordered probe against the router emulator on loopback.

#include "ApplyPreflight.h"
#include "ApplyRunRows.h"
#include "CApplyPause.h"
#include "CApplyRun.h"
#include "CCancellablePause.h"
#include "CIpLink.h"
#include "FakePause.h"
#include "InputChecks.h"
#include "InternetProbe.h"
#include "RouterSim.h"
#include "SampleSettings.h"
#include "WizardSettings.h"

#include <QtTest>

#include <QElapsedTimer>

#include <future>
#include <memory>
#include <thread>

using namespace std::chrono_literals;

namespace {

std::string Param(const SimWanService& service, const std::string& name)
{
    const auto found = service.Params.find(name);
    return found == service.Params.end() ? std::string() : found->second;
}

WizardSettings PppoeSettings()
{
    WizardSettings s = SamplePppoeSettings();
    s.WirelessSecurityIndex = SecurityWpa;
    return s;
}
}  // namespace

class TestApplyRun : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void protocols_data();
    void protocols();
    void loginIsRetriedOnce();
    void refusedWanAddSendsNoWireless();
    void refusedWirelessRequest_data();
    void refusedWirelessRequest();
    void passwordChange();
    void failedPasswordChangeKeepsOldPassword();
    void cancelledPauseStopsTheRun();
    void cancellablePauseEndsAtOnce();
    void probeStopsAtFirstAnswer();
    void probeWithNoAnswer();
    void uncarriableValuesSendNothing_data();
    void uncarriableValuesSendNothing();
    void pauseBeyondTheClockDoesNotOverflow();
    void cancelEndsTheRequestInFlight_data();
    void cancelEndsTheRequestInFlight();

private:
    ApplyOutcome Run(FakePause& pause);

    RouterSim m_sim;
    WizardSettings m_settings;  // what m_link and the runs apply
    std::unique_ptr<CIpLink> m_link;
    std::vector<ApplyStep> m_steps;
};

void TestApplyRun::init()
{
    m_sim.ClearFaults();
    m_sim.ClearRequests();
    QVERIFY(m_sim.Start(0) > 0);
    SimRouterState state;
    state.Services = {{"old_0_1_32", {{"linkType", "EoA"}, {"atmVpi", "1"}, {"atmVci", "32"}}}};
    m_sim.SetState(state);
    m_settings = PppoeSettings();
    m_link = std::make_unique<CIpLink>(m_settings);
    m_steps.clear();
}

void TestApplyRun::cleanup()
{
    m_link.reset();
    m_sim.Stop();
}

ApplyOutcome TestApplyRun::Run(FakePause& pause)
{
    ApplyRunOptions options;
    options.RouterAddress = m_sim.Address();
    CApplyRun run(*m_link, m_settings, pause, options,
                  [this](ApplyStep step, std::chrono::milliseconds) { m_steps.push_back(step); });
    return run.Run();
}

void TestApplyRun::protocols_data()
{
    AddProtocolRows();
}

void TestApplyRun::protocols()
{
    QFETCH(int, protocol);
    QFETCH(int, merDynamicIp);
    QFETCH(QString, serviceName);
    QFETCH(QString, param);
    QFETCH(QString, value);
    WizardSettings& s = m_settings;
    s.ProtocolIndex = protocol;
    s.MerDynamicIp = merDynamicIp;
    s.StaticIpAddress = "10.0.0.2";
    s.StaticSubnetMask = "255.0.0.0";
    s.StaticGateway = "10.0.0.1";
    s.StaticPrimaryDns = "8.8.8.8";
    s.StaticSecondaryDns = "0.0.0.0";

    FakePause pause;
    QCOMPARE(Run(pause), ApplyOutcome::Applied);

    const SimRouterState state = m_sim.State();
    QCOMPARE(state.Services.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(state.Services[0].Name), serviceName);
    QCOMPARE(QString::fromStdString(Param(state.Services[0], param.toStdString())), value);
    QCOMPARE(state.Ssid, std::string("Home Net"));
    QCOMPARE(state.Security, std::string("psk"));
    QCOMPARE(state.Key, std::string("secret123"));
    QCOMPARE(state.AdminPassword, std::string("vabel"));
    QVERIFY(m_sim.RequestsTo("/password.cgi").empty());

    // Four step pauses, then the settle pause (also without a password change).
    QVERIFY(pause.durations.size() > 4);
    QVERIFY(std::all_of(pause.durations.begin(), pause.durations.begin() + 4,
                        [](auto d) { return d == 1500ms; }));
    QCOMPARE(std::accumulate(pause.durations.begin() + 4, pause.durations.end(), 0ms), 50000ms);
    const std::vector<ApplyStep> order = {ApplyStep::WanLogin,         ApplyStep::WanService,
                                          ApplyStep::WirelessLogin,    ApplyStep::WirelessBasic,
                                          ApplyStep::WirelessSecurity, ApplyStep::Settle};
    QVERIFY(std::equal(order.begin(), order.end(), m_steps.begin()));
    QCOMPARE(std::count(m_steps.begin(), m_steps.end(), ApplyStep::Settle), 50);
}

void TestApplyRun::loginIsRetriedOnce()
{
    m_sim.RefuseLogins(1);
    FakePause pause;
    QCOMPARE(Run(pause), ApplyOutcome::Applied);
    // WAN step: refused, then accepted; wireless step: accepted at once.
    QCOMPARE(m_sim.RequestsTo("/index.html").size(), std::size_t(3));
}

void TestApplyRun::refusedWanAddSendsNoWireless()
{
    SimFault refused;
    refused.Status = 500;
    m_sim.SetFault("/dlwancfg.cmd", refused);
    FakePause pause;
    QCOMPARE(Run(pause), ApplyOutcome::WanServiceFailed);
    QVERIFY(m_sim.RequestsTo("/wlcfg.html").empty());
    QVERIFY(m_sim.RequestsTo("/wlcfg.wl").empty());
    QVERIFY(m_sim.RequestsTo("/wlsecurity.wl").empty());
    QCOMPARE(pause.durations.size(), std::size_t(2));  // no settle pause
}

void TestApplyRun::refusedWirelessRequest_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("basic") << "/wlcfg.wl";
    QTest::newRow("security") << "/wlsecurity.wl";
}

void TestApplyRun::refusedWirelessRequest()
{
    QFETCH(QString, path);
    m_settings.PasswordChangeRequested = true;
    m_settings.NewRouterPassword = "newpw";
    SimFault refused;
    refused.Status = 500;
    m_sim.SetFault(path.toStdString(), refused);
    FakePause pause;
    QCOMPARE(Run(pause), ApplyOutcome::WirelessFailed);
    // Both wireless requests are sent whichever failed; nothing after them.
    QCOMPARE(m_sim.RequestsTo("/wlcfg.wl").size(), std::size_t(1));
    QCOMPARE(m_sim.RequestsTo("/wlsecurity.wl").size(), std::size_t(1));
    QVERIFY(m_sim.RequestsTo("/password.cgi").empty());
    QCOMPARE(pause.durations.size(), std::size_t(4));
}

void TestApplyRun::passwordChange()
{
    WizardSettings& s = m_settings;
    s.PasswordChangeRequested = true;
    s.NewRouterPassword = "newpw";
    FakePause pause;
    QCOMPARE(Run(pause), ApplyOutcome::Applied);
    QCOMPARE(m_sim.State().AdminPassword, std::string("newpw"));
    QCOMPARE(m_link->GetPassword(), std::string("newpw"));
    QVERIFY(s.RouterPasswordChanged);
    QCOMPARE(s.PasswordAfterChange, std::string("newpw"));

    // A second run in the same process logs in with the new password and does
    // not send the change again.
    m_sim.ClearRequests();
    FakePause second;
    QCOMPARE(Run(second), ApplyOutcome::Applied);
    const auto logins = m_sim.RequestsTo("/index.html");
    QCOMPARE(logins.size(), std::size_t(2));
    QVERIFY(logins[0].Body.find("password=newpw&") != std::string::npos);
    QVERIFY(m_sim.RequestsTo("/password.cgi").empty());

    // Back on the create-password page, another new password: the change
    // gives the router the password it has now as the old one.
    s.RouterPassword = "vabel";
    s.NewRouterPassword = "otherpw";
    FakePause third;
    QCOMPARE(Run(third), ApplyOutcome::Applied);
    QCOMPARE(m_sim.State().AdminPassword, std::string("otherpw"));
}

void TestApplyRun::failedPasswordChangeKeepsOldPassword()
{
    WizardSettings& s = m_settings;
    s.PasswordChangeRequested = true;
    s.NewRouterPassword = "newpw";
    SimFault refused;
    refused.Body = "<html>Password change failed</html>";
    m_sim.SetFault("/password.cgi", refused);
    FakePause pause;
    QCOMPARE(Run(pause), ApplyOutcome::PasswordChangeFailed);
    QCOMPARE(m_link->GetPassword(), std::string("vabel"));
    QVERIFY(!s.RouterPasswordChanged);
    QCOMPARE(s.PasswordAfterChange, std::string("vabel"));
    QCOMPARE(pause.durations.size(), std::size_t(4));  // failed at once, no settle pause
}

void TestApplyRun::cancelledPauseStopsTheRun()
{
    FakePause first;
    first.cancelAt = 1;
    QCOMPARE(Run(first), ApplyOutcome::Cancelled);
    QVERIFY(m_sim.RequestsTo("/internet_sum.cgi").empty());

    FakePause settling;
    settling.cancelAt = 6;  // the second slice of the settle pause
    QCOMPARE(Run(settling), ApplyOutcome::Cancelled);
    QCOMPARE(settling.durations.size(), std::size_t(6));
}

void TestApplyRun::cancellablePauseEndsAtOnce()
{
    CCancellablePause pause;
    QVERIFY(pause.Pause(1ms));
    auto waiting = std::async(std::launch::async, [&] { return pause.Pause(50000ms); });
    QTest::qWait(20);
    pause.Cancel();
    QCOMPARE(waiting.wait_for(5s), std::future_status::ready);
    QVERIFY(!waiting.get());
    QVERIFY(!pause.Pause(50000ms));  // stays cancelled
}

void TestApplyRun::probeStopsAtFirstAnswer()
{
    const std::string base = "http://" + m_sim.Address();
    const std::vector<std::string> urls = {"http://" + ClosedLoopbackAddress() + "/support",
                                           base + "/support", base + "/support"};
    std::vector<std::string> probed;
    QCOMPARE(ProbeSitesInOrder(urls, kProbeTimeout,
                               [&](const std::string& url) { probed.push_back(url); }),
             1);
    QCOMPARE(probed, std::vector<std::string>(urls.begin(), urls.begin() + 2));
    QCOMPARE(m_sim.RequestsTo("/support").size(), std::size_t(1));
}

void TestApplyRun::probeWithNoAnswer()
{
    SimFault noMarker;
    noMarker.MissingMarker = true;
    m_sim.SetFault("/support", noMarker);
    const std::string base = "http://" + m_sim.Address();
    const std::vector<std::string> urls = {base + "/support", base + "/nothing", base + "/support"};
    int probes = 0;
    QCOMPARE(ProbeSitesInOrder(urls, kProbeTimeout, [&](const std::string&) { ++probes; }), -1);
    QCOMPARE(probes, 3);
}

// Values the requests cannot carry: the run names the field and sends
// nothing, not even the login.
void TestApplyRun::uncarriableValuesSendNothing_data()
{
    AddUncarriableValueRows();
}

void TestApplyRun::uncarriableValuesSendNothing()
{
    QFETCH(SettingsChange, change);
    QFETCH(std::string, routerAddress);
    QFETCH(CarryProblem, problem);
    QFETCH(CarriedField, field);
    change(m_settings);
    const WizardSettings before = m_settings;

    FakePause pause;
    ApplyRunOptions options;
    options.RouterAddress = routerAddress.empty() ? m_sim.Address() : routerAddress;
    CApplyRun run(*m_link, m_settings, pause, options);
    QCOMPARE(run.Run(), ApplyOutcome::NotCarried);
    QCOMPARE(run.Refusal().Problem, problem);
    QCOMPARE(run.Refusal().Field, field);
    QVERIFY(!CarryMessage(run.Refusal()).empty());
    QVERIFY(m_sim.Requests().empty());
    QVERIFY(pause.durations.empty());
    QCOMPARE(m_settings.RouterPasswordChanged, before.RouterPasswordChanged);
}

void TestApplyRun::pauseBeyondTheClockDoesNotOverflow()
{
    CCancellablePause pause;
    auto waiting = std::async(std::launch::async,
                              [&pause] { return pause.Pause(std::chrono::milliseconds::max()); });
    QVERIFY(waiting.wait_for(100ms) == std::future_status::timeout);  // waits, not ends at once
    pause.Cancel();
    QVERIFY(waiting.wait_for(2s) == std::future_status::ready);
    QVERIFY(!waiting.get());
}

// The window closes while the router keeps a request waiting: the request
// ends within a second instead of at its time-out, and nothing follows it.
void TestApplyRun::cancelEndsTheRequestInFlight_data()
{
    QTest::addColumn<std::string>("path");
    QTest::newRow("login") << std::string("/index.html");
    QTest::newRow("WAN service form") << std::string("/setup_wancfg.html");
    QTest::newRow("wireless settings") << std::string("/wlcfg.wl");
    QTest::newRow("password change") << std::string("/password.cgi");
}

void TestApplyRun::cancelEndsTheRequestInFlight()
{
    QFETCH(std::string, path);
    m_settings = SamplePppoeSettingsWithNewPassword();
    m_sim.SetFault(path, SimFault{.Delay = 30s});
    CCancellablePause pause;
    ApplyRunOptions options;
    options.RouterAddress = m_sim.Address();
    options.StepPause = 0ms;
    ApplyOutcome outcome = ApplyOutcome::Applied;
    std::thread worker([&] { outcome = CApplyRun(*m_link, m_settings, pause, options).Run(); });
    QTRY_VERIFY_WITH_TIMEOUT(!m_sim.RequestsTo(path).empty(), 10000);
    const std::size_t sent = m_sim.Requests().size();
    QElapsedTimer clock;
    clock.start();
    pause.Cancel();
    worker.join();
    QVERIFY2(clock.elapsed() < 1500, qPrintable(QString("took %1 ms").arg(clock.elapsed())));
    QCOMPARE(outcome, ApplyOutcome::Cancelled);
    QTest::qWait(200);
    QCOMPARE(m_sim.Requests().size(), sent);
}

QTEST_GUILESS_MAIN(TestApplyRun)
#include "tst_ApplyRun.moc"
