// tarnix-tour: walks the wizard against a router emulator inside this process
// and saves a picture of every page on the way (the light box, the disclaimer
// and a tool tip included), so that the pages can be looked at together.

#include "FakeEffects.h"
#include "PageId.h"
#include "RouterSim.h"
#include "StartUp.h"
#include "TourCamera.h"
#include "WalkRoads.h"
#include "WizardOptions.h"
#include "WizardSession.h"
#include "WizardSettings.h"
#include "WizardUnderTest.h"

#include "CDisclaimerDlg.h"
#include "CFogetPassAndModifyDlg.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace std::chrono_literals;

namespace {

constexpr auto kRoadLimit = 90s;

using ButtonOf = std::function<QAbstractButton*(CWizardPage&)>;

// Before the road's step on page at: open a page from it with trigger, leave
// that page with leave, and go on as the road would.
void AddDetour(std::vector<WalkStep>& road, PageId at, ButtonOf trigger, PageId opened,
               ButtonOf leave)
{
    const auto step = std::find_if(road.begin(), road.end(),
                                   [at](const WalkStep& s) { return s.Page == at; });
    if (step == road.end())
        return;
    const WalkStep detour[] = {
        {at, [trigger](WalkDriver& walk,
                       CWizardPage& page) { walk.Press(trigger(page), "the detour"); }},
        {opened, [leave](WalkDriver& walk, CWizardPage& page) {
             walk.Press(leave(page), "the way back");
         }}};
    road.insert(step, std::begin(detour), std::end(detour));
}

struct TourRoad
{
    QString Name;
    std::vector<WalkStep> Steps;
    SimRouterState Router;
};

TourRoad FirstInstallRoad()
{
    WalkPlan plan;
    plan.Protocol = WalkProtocol::Pppoe;
    plan.Path = WalkPath::FirstInstall;
    plan.Password = RouterPasswordState::Factory;
    plan.NewRouterPassword = "Admin-New1";
    plan.PppUser = "walker@isp.example";
    plan.PppPassword = "ppp-Secret1";
    plan.Ssid = "Tarnix-Home";
    plan.Key = "wpa2-key-0001";
    TourRoad road{"first", SetupRoad(plan), {}};
    AddDetour(
        road.Steps, PageId::InstallMode, [](CWizardPage& p) { return p.DisclaimerButton(); },
        PageId::Disclaimer,
        [](CWizardPage& p) { return static_cast<CDisclaimerDlg&>(p).CloseButton(); });
    AddDetour(
        road.Steps, PageId::Power, [](CWizardPage& p) { return p.TroubleshootingButton(); },
        PageId::Troubleshooting, [](CWizardPage& p) { return p.ExitButton(); });
    return road;
}

TourRoad QuickRoad(RouterSim& sim)
{
    WalkPlan plan;
    plan.Protocol = WalkProtocol::MerStatic;
    plan.Path = WalkPath::QuickInstall;
    plan.Password = RouterPasswordState::ChangedKept;
    plan.RouterPassword = "Mine-2024";
    plan.Addresses = {"10.1.2.3", "255.255.255.0", "10.1.2.1", "10.1.2.53", "10.1.2.54"};
    plan.Ssid = "Tarnix-Office";
    plan.Security = SecurityWpa;
    plan.Key = "wpa-key-00002";
    plan.RetryAfterLightBox = true;
    RoadHooks hooks;
    hooks.OnLightBox = [&sim] { sim.ClearFaults(); };
    TourRoad road{"quick", SetupRoad(plan, hooks), {}};
    road.Router.AdminPassword = "Mine-2024";
    AddDetour(
        road.Steps, PageId::ExistingPassword,
        [](CWizardPage& p) {
            return static_cast<CFogetPassAndModifyDlg&>(p).ForgotPasswordButton();
        },
        PageId::ResetInstructions, [](CWizardPage& p) { return p.NextButton(); });
    return road;
}

TourRoad RestoreTourRoad()
{
    TourRoad road{"restore", RestoreRoad(), {}};
    road.Router.Ssid = "Tarnix-Home";
    road.Router.Key = "wpa2-key-0001";
    return road;
}

void PointAtEmulator(const RouterSim& sim, WizardOptions& options)
{
    options.RouterAddress = sim.Address();
    options.ProbeUrls = {"http://" + sim.Address() + "/support"};
    // Long enough to see the Apply page at work, short enough for a tour.
    options.PauseMs = 100;
    options.SettleMs = 2500;
    // A failed run shows the light box after a fixed number of result ticks.
    options.ResultTimerPeriod = 10ms;
}

bool Walk(TourRoad& road, RouterSim& sim, TourCamera& camera, WizardSettings& settings)
{
    sim.SetState(road.Router);
    sim.ClearFaults();
    if (road.Name == "quick")
    {
        SimFault refused;
        refused.Status = 500;
        sim.SetFault("/dlwancfg.cmd", refused);
    }
    settings = WizardSettings();
    WalkDriver driver(std::move(road.Steps));
    driver.SetPageShownHook([&camera, &road](CWizardPage& page) {
        const bool taken = camera.TakePage(page, road.Name);
        if (taken && (page.Id() == PageId::DslLine || page.Id() == PageId::Success))
            camera.TakeToolTip(page, road.Name);
    });
    const QString failure = driver.Run(kRoadLimit);
    if (!failure.isEmpty())
        std::fprintf(stderr, "tarnix-tour: the %s road stopped: %s\n", qPrintable(road.Name),
                     qPrintable(failure));
    return failure.isEmpty();
}

}  // namespace

int main(int argc, char* argv[])
{
    // What the wizard holds for the tour, as the wizard's main makes it.
    WizardSession session;
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Walks the wizard against an emulator and saves a PNG of every page.");
    parser.addHelpOption();
    const QCommandLineOption screen("screen", "Also save the whole screen beside each page.");
    parser.addOption(screen);
    parser.addPositionalArgument("folder", "Where the pictures go (default tour/).");
    parser.process(app);
    const QStringList positional = parser.positionalArguments();
    const QString folder = QDir::current().absoluteFilePath(positional.value(0, "tour"));
    if (!QDir().mkpath(folder))
    {
        std::fprintf(stderr, "tarnix-tour: cannot make %s\n", qPrintable(folder));
        return 1;
    }

    // The restore road saves a file on the desktop: a home of its own.
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    QStandardPaths::setTestModeEnabled(true);
    QDir(home.path()).mkpath("Desktop");
    if (!EnterDataFolder(QApplication::applicationDirPath()))
        return 1;

    RouterSim sim;
    if (sim.Start(0) <= 0)
        return 1;
    PointAtEmulator(sim, session.Options);
    RegisterEveryPage();
    FakeEffects effects;  // nothing is opened, asked or ended for real
    effects.openRealPages = true;
    SetWizardEffects(&effects);

    TourCamera camera(folder, parser.isSet(screen));
    TourRoad roads[] = {FirstInstallRoad(), QuickRoad(sim), RestoreTourRoad()};
    bool walked = true;
    for (TourRoad& road : roads)
        walked = Walk(road, sim, camera, session.Settings) && walked;
    SetWizardEffects(nullptr);
    std::printf("tarnix-tour: %d pictures in %s\n", camera.Count(), qPrintable(folder));
    return walked ? 0 : 1;
}
