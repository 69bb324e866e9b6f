// Whole roads through the real wizard, driven like a person against the
// router emulator: every registered page, real clicks and typing, short
// pauses. Each walk ends by checking what the router holds.

#include "CConfigPvcDlg.h"
#include "CLabel.h"
#include "CSaveIspDlg.h"
#include "FakeEffects.h"
#include "PageRegistry.h"
#include "RouterSim.h"
#include "SecuritySettingsFile.h"
#include "SecuritySettingsSaving.h"
#include "WalkRoads.h"
#include "WalkRows.h"
#include "WizardOptions.h"
#include "WizardSettings.h"
#include "WizardTestScope.h"
#include "WizardUnderTest.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#include <map>
#include <optional>
#include <set>
#include <string>

using namespace std::chrono_literals;

namespace {

constexpr auto kWalkLimit = 20s;

}  // namespace

class TestWalks : public QObject
{
    Q_OBJECT

private:
    RouterSim m_sim;
    FakeEffects m_effects;
    std::optional<WizardTestScope> m_scope;
    QTemporaryDir m_home;

    void StartRouter(const QString& adminPassword)
    {
        m_sim.SetState(RouterBefore(adminPassword));
        m_sim.ClearFaults();
        m_sim.ClearRequests();
    }

    QString Walk(std::vector<WalkStep> road, std::function<void(CWizardPage&)> pageShown = {})
    {
        WalkDriver driver(std::move(road));
        driver.SetPageShownHook(std::move(pageShown));
        return driver.Run(kWalkLimit);
    }

    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const ShownMessage& message : m_effects.messages)
            texts << message.text;
        return texts;
    }

    void CheckRouterHolds(const WalkPlan& plan, const QString& adminPassword,
                          const std::string& serviceName,
                          const std::map<std::string, std::string>& serviceParams)
    {
        const SimRouterState state = m_sim.State();
        QCOMPARE(state.Services.size(), std::size_t(1));
        QCOMPARE(state.Services[0].Name, serviceName);
        std::map<std::string, std::string> expected = serviceParams;
        expected["atmVpi"] = plan.Vpi.toStdString();
        expected["atmVci"] = plan.Vci.toStdString();
        for (const auto& [name, value] : expected)
        {
            const auto found = state.Services[0].Params.find(name);
            const std::string shown = found == state.Services[0].Params.end() ? "(missing)"
                                                                              : found->second;
            QVERIFY2(
                shown == value,
                qPrintable(
                    QString("%1 is %2, not %3").arg(name.c_str(), shown.c_str(), value.c_str())));
        }
        const char* security[] = {"psk", "psk2", "open"};
        QCOMPARE(state.Ssid, plan.Ssid.toStdString());
        QCOMPARE(state.Security, std::string(security[plan.Security]));
        QCOMPARE(state.Key,
                 plan.Security == SecurityNone ? std::string(kOldKey) : plan.Key.toStdString());
        QCOMPARE(state.AdminPassword, adminPassword.toStdString());
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // The desktop of a home of our own, for the security settings file.
        QVERIFY(m_home.isValid());
        qputenv("HOME", m_home.path().toUtf8());
        qunsetenv("XDG_CONFIG_HOME");
        QVERIFY(QDir(m_home.path()).mkpath("Desktop"));
        QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
                 m_home.filePath("Desktop"));

        QVERIFY(m_sim.Start(0) > 0);
        RegisterEveryPage();
    }

    void cleanupTestCase()
    {
        UnregisterAllPages();
        m_sim.Stop();
    }

    void init()
    {
        m_effects = FakeEffects();
        m_effects.openRealPages = true;
        m_scope.emplace(&m_effects);
        // A fresh process: the settings record starts from its defaults.
        GetWizardSettings() = WizardSettings();
        PointWizardAtEmulator(m_sim.Address());
    }

    void cleanup()
    {
        m_scope.reset();
        QTRY_VERIFY(VisibleTopLevels().isEmpty());
    }

    void setupRoad_data() { AddSetupRoadRows(); }

    void setupRoad()
    {
        QFETCH(WalkPlan, plan);
        QFETCH(QString, routerHas);
        QFETCH(QString, routerEndsWith);
        QFETCH(std::size_t, passwordRequests);
        QFETCH(std::string, serviceName);
        using Params = std::map<std::string, std::string>;
        QFETCH(Params, serviceParams);
        StartRouter(routerHas);

        const QString failure = Walk(SetupRoad(plan));
        QVERIFY2(failure.isEmpty(), qPrintable(failure));

        // Only the exit question was asked: no value was refused on the way.
        QCOMPARE(MessageTexts(), QStringList{kExitQuestion});
        QCOMPARE(m_effects.endStatuses, std::vector<int>{0});
        QCOMPARE(m_sim.RequestsTo("/password.cgi").size(), passwordRequests);
        CheckRouterHolds(plan, routerEndsWith, serviceName, serviceParams);
    }

    // A refused WAN request: the light box, CLOSE, a fresh ISP and PVC page
    // and a second run that works.
    void failureRoad_data() { AddFailureRoadRows(); }

    void failureRoad()
    {
        QFETCH(WalkPlan, plan);
        QFETCH(QString, routerHas);
        QFETCH(QString, routerEndsWith);
        QFETCH(std::string, serviceName);
        using Params = std::map<std::string, std::string>;
        QFETCH(Params, serviceParams);
        StartRouter(routerHas);
        SimFault refused;
        refused.Status = 500;
        m_sim.SetFault("/dlwancfg.cmd", refused);

        RoadHooks hooks;
        std::vector<SimWanService> servicesAtLightBox;
        hooks.OnLightBox = [this, &servicesAtLightBox] {
            servicesAtLightBox = m_sim.State().Services;
            m_sim.ClearFaults();
        };
        // What each ISP and PVC page shows before anything is typed into it.
        QStringList circuitsShown;
        const QString failure = Walk(SetupRoad(plan, hooks), [&circuitsShown](CWizardPage& page) {
            if (auto* pvc = qobject_cast<CConfigPvcDlg*>(&page))
                circuitsShown << pvc->ProtocolList()->currentText() + ' ' + pvc->VciField()->text();
        });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));

        QCOMPARE(MessageTexts(), QStringList{kExitQuestion});
        // The second attempt starts from a fresh page, not from what was typed.
        QCOMPARE(circuitsShown, QStringList(2, circuitsShown.value(0)));
        for (const SimWanService& service : servicesAtLightBox)
            QVERIFY(service.Name != serviceName);  // the refused run added nothing
        CheckRouterHolds(plan, routerEndsWith, serviceName, serviceParams);
    }

    // The close box on the wireless page ends every page, the welcome page
    // included, and nothing reaches the router but the logins and the DSL
    // line page's read of the status page.
    void closeBoxBeforeApply()
    {
        StartRouter("vabel");
        WalkPlan plan = ProtocolRows().front().typed;
        plan.NewRouterPassword = "Admin-New1";
        std::vector<WalkStep> road = SetupRoad(plan);
        const auto wireless = std::find_if(road.begin(), road.end(), [](const WalkStep& step) {
            return step.Page == PageId::Wireless;
        });
        QVERIFY(wireless != road.end());
        wireless->Act = [](WalkDriver&, CWizardPage& page) { page.close(); };
        road.erase(wireless + 1, road.end());

        const QString failure = Walk(std::move(road));
        QVERIFY2(failure.isEmpty(), qPrintable(failure));

        QVERIFY(m_effects.endStatuses.empty());
        for (const SimRequest& request : m_sim.Requests())
            QVERIFY2(request.Path == "/index.html"
                         || (request.Path == "/info.html" && request.Method == "GET"),
                     request.Path.c_str());
        const SimRouterState after = m_sim.State();
        QCOMPARE(after.Services.size(), std::size_t(1));
        QCOMPARE(after.Services[0].Name, std::string("br_0_0_32"));
        QCOMPARE(after.Ssid, std::string("OldNet"));
    }

    // The window closed, or Exit pressed, while the Apply page's worker is
    // inside a router request or in the long wait: the walk ends at once,
    // the worker is joined and no window is left.
    void leavingDuringTheApplyRun_data()
    {
        QTest::addColumn<bool>("byExit");
        QTest::addColumn<bool>("inRequest");
        QTest::newRow("close box, router request hangs") << false << true;
        QTest::newRow("close box, in the wait") << false << false;
        QTest::newRow("Exit, in the wait") << true << false;
    }

    void leavingDuringTheApplyRun()
    {
        QFETCH(bool, byExit);
        QFETCH(bool, inRequest);
        StartRouter("vabel");
        SimFault slow;
        slow.Delay = 1500ms;
        if (inRequest)
            m_sim.SetFault("/dlwancfg.cmd", slow);
        GetWizardOptions().SettleMs = 30000;
        WalkPlan plan = ProtocolRows().front().typed;
        plan.NewRouterPassword = "Admin-New1";
        std::vector<WalkStep> road = SetupRoad(plan);
        const auto apply = std::find_if(road.begin(), road.end(), [](const WalkStep& step) {
            return step.Page == PageId::Apply;
        });
        QVERIFY(apply != road.end());
        apply->Act = [this, byExit, inRequest](WalkDriver& walk, CWizardPage& page) {
            auto& saving = static_cast<CSaveIspDlg&>(page);
            const bool reached = QTest::qWaitFor(
                [&] {
                    return inRequest ? !m_sim.RequestsTo("/dlwancfg.cmd").empty()
                                     : saving.ProgressLine()->text().startsWith("Waiting");
                },
                10000);
            if (!reached)
                return walk.Fail("the run never reached the moment to leave");
            if (byExit)
                walk.Press(page.ExitButton(), "Exit");
            page.window()->close();
        };
        road.erase(apply + 1, road.end());

        QElapsedTimer leaving;
        leaving.start();
        const QString failure = Walk(std::move(road));
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY(leaving.elapsed() < 15000);  // far less than the wait
        QCOMPARE(m_effects.endStatuses, byExit ? std::vector<int>{0} : std::vector<int>{});
        QVERIFY(VisibleTopLevels().isEmpty());
        QCOMPARE(CWizardPage::TopPage(), nullptr);
    }

    // The flow table alone, without a window: every road from the welcome
    // page reaches a page the person leaves by itself, or comes back round.
    void everyRoadOfTheFlow_data()
    {
        QTest::addColumn<FlowRoad>("road");
        std::vector<FlowRoad> roads;
        CollectRoads({}, PageId::Welcome, roads);
        std::set<PageId> reached{PageId::Welcome};
        for (const FlowRoad& road : roads)
        {
            QTest::newRow(RoadName(road).constData()) << road;
            for (const FlowRow& row : road)
                reached.insert(row.To);
        }
        const std::set<PageId> bar{PageId::Troubleshooting, PageId::Disclaimer};
        for (int id = 0; id <= int(PageId::Disclaimer); ++id)
            QVERIFY2(reached.count(PageId(id)) != bar.count(PageId(id)), PageIdName(PageId(id)));
    }

    void everyRoadOfTheFlow()
    {
        QFETCH(FlowRoad, road);
        const PageId end = road.back().To;
        const std::set<PageId> leftByItself{PageId::JoinWireless, PageId::RestoreConfiguration,
                                            PageId::ResetInstructions};
        const bool loops = std::any_of(road.begin(), road.end() - 1,
                                       [end](const FlowRow& row) { return row.From == end; });
        QVERIFY2(loops || leftByItself.count(end), PageIdName(end));
    }

    void restoreRoad()
    {
        SimRouterState router = RouterBefore("vabel");
        router.Ssid = "HomeNet 5";
        router.Key = "home-key-77";
        m_sim.SetState(router);
        m_sim.ClearFaults();
        m_sim.ClearRequests();
        QFile::remove(SecuritySettingsFilePath());

        const QString failure = Walk(RestoreRoad());
        QVERIFY2(failure.isEmpty(), qPrintable(failure));

        QCOMPARE(MessageTexts(),
                 (QStringList{"You need to wait to wait 2-3 mins to restore the information",
                              QString(kSavedMessage) + "\n\n" + SecuritySettingsFilePath()}));
        QFile saved(SecuritySettingsFilePath());
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), SecuritySettingsBytes("HomeNet 5", "home-key-77"));
        // Reading changed nothing on the router.
        const SimRouterState after = m_sim.State();
        QCOMPARE(after.Services.size(), std::size_t(1));
        QCOMPARE(after.Ssid, router.Ssid);
        QCOMPARE(after.Key, router.Key);
        QCOMPARE(after.AdminPassword, router.AdminPassword);
    }
};

QTEST_MAIN(TestWalks)
#include "tst_Walks.moc"
