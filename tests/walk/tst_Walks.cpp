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

Q_DECLARE_METATYPE(WalkPlan)

namespace {

constexpr auto kWalkLimit = 20s;
constexpr char kOldKey[] = "old-key-4321";

// A protocol's row: what is typed for it and the service the router must
// end up with.
struct ProtocolRow
{
    const char* name;
    WalkPlan typed;  // protocol, ISP and PVC, account, addresses, wireless
    std::string serviceName;
    std::map<std::string, std::string> serviceParams;
};

std::vector<ProtocolRow> ProtocolRows()
{
    const WalkAddresses office{"10.1.2.3", "255.255.255.0", "10.1.2.1", "10.1.2.53", "10.1.2.54"};
    const WalkAddresses shop{"203.0.113.7", "255.255.255.248", "203.0.113.1", "198.51.100.53", ""};
    WalkPlan p;
    std::vector<ProtocolRow> rows;

    p = {};
    p.Protocol = WalkProtocol::Pppoe;
    p.PppUser = "walker@isp.example";
    p.PppPassword = "ppp-Secret1";
    p.Ssid = "WalkNet-E";
    p.Security = SecurityWpa2;
    p.Key = "wpa2-key-0001";
    rows.push_back({"PPPoE",
                    p,
                    "pppoe_0_8_35",
                    {{"ntwkPrtcl", "0"},
                     {"encapMode", "0"},
                     {"pppUserName", "walker@isp.example"},
                     {"pppPassword", "ppp-Secret1"}}});

    p = {};
    p.Protocol = WalkProtocol::Pppoa;
    p.Country = CountryNewZealand;
    p.Encapsulation = EncapsulationVcMux;
    p.Vpi = "0";
    p.Vci = "100";
    p.PppUser = "kiwi.walker";
    p.PppPassword = "ppp-Secret2";
    p.Ssid = "WalkNet-A";
    p.Security = SecurityWpa;
    p.Key = "wpa-key-00002";
    // The router's PPPoA form numbers the encapsulations the other way round.
    rows.push_back({"PPPoA",
                    p,
                    "pppoa_0_0_100",
                    {{"ntwkPrtcl", "1"},
                     {"encapMode", "0"},
                     {"pppUserName", "kiwi.walker"},
                     {"pppPassword", "ppp-Secret2"}}});

    p = {};
    p.Protocol = WalkProtocol::MerDynamic;
    p.Vpi = "1";
    p.Vci = "32";
    p.Ssid = "WalkNet-MD";
    p.Security = SecurityNone;
    rows.push_back({"MER dynamic",
                    p,
                    "mer_0_1_32",
                    {{"ntwkPrtcl", "2"}, {"encapMode", "0"}, {"enblDhcpClnt", "1"}}});

    p = {};
    p.Protocol = WalkProtocol::MerStatic;
    p.Encapsulation = EncapsulationVcMux;
    p.Vci = "48";
    p.Addresses = office;
    p.Ssid = "WalkNet-MS";
    p.Security = SecurityWpa2;
    p.Key = "wpa2-key-0004";
    rows.push_back({"MER static",
                    p,
                    "mer_0_8_48",
                    {{"ntwkPrtcl", "6"},
                     {"encapMode", "1"},
                     {"enblDhcpClnt", "0"},
                     {"wanIpAddress", "10.1.2.3"},
                     {"wanSubnetMask", "255.255.255.0"},
                     {"wanIntfGateway", "10.1.2.1"},
                     {"wanInfDnsPrimary", "10.1.2.53"},
                     {"wanInfDnsSecondary", "10.1.2.54"}}});

    p = {};
    p.Protocol = WalkProtocol::Ipoa;
    p.Addresses = shop;
    p.Ssid = "WalkNet-I";
    p.Security = SecurityWpa;
    p.Key = "wpa-key-00005";
    rows.push_back({"IPoA",
                    p,
                    "ipoa_0_8_35",
                    {{"ntwkPrtcl", "5"},
                     {"encapMode", "0"},
                     {"wanIpAddress", "203.0.113.7"},
                     {"wanSubnetMask", "255.255.255.248"},
                     {"wanIntfGateway", "203.0.113.1"},
                     {"wanInfDnsPrimary", "198.51.100.53"},
                     {"wanInfDnsSecondary", "0.0.0.0"}}});

    p = {};
    p.Protocol = WalkProtocol::Bridge;
    p.Country = CountryNewZealand;
    p.Encapsulation = EncapsulationLlc;
    p.Vpi = "0";
    p.Vci = "40";
    p.Ssid = "WalkNet-B";
    p.Security = SecurityWpa2;
    p.Key = "wpa2-key-0006";
    rows.push_back({"Bridge", p, "br_0_0_40", {{"ntwkPrtcl", "3"}, {"encapMode", "0"}}});
    return rows;
}

struct PasswordRow
{
    const char* name;
    RouterPasswordState state;
    QString routerHas;
    QString typedNew;
    QString routerEndsWith;
    std::size_t passwordRequests;  // password changes the router receives
};

const PasswordRow kPasswordRows[] = {
    {"factory password", RouterPasswordState::Factory, "vabel", "Admin-New1", "Admin-New1", 1},
    {"changed password kept", RouterPasswordState::ChangedKept, "Mine-2024", "", "Mine-2024", 0},
    {"changed password changed again", RouterPasswordState::ChangedAndChanged, "Mine-2024",
     "Fresh-2025", "Fresh-2025", 1},
};

SimRouterState RouterBefore(const QString& adminPassword)
{
    SimRouterState state;
    state.Services = {{"br_0_0_32", {{"serviceName", "br_0_0_32"}}}};
    state.Ssid = "OldNet";
    state.Key = kOldKey;
    state.AdminPassword = adminPassword.toStdString();
    return state;
}

using FlowRoad = std::vector<FlowRow>;

// Every road the page flow allows from at: each goes on until a page has no
// row or its next page is already on it (PREV, another attempt).
void CollectRoads(const FlowRoad& taken, PageId at, std::vector<FlowRoad>& roads)
{
    bool goesOn = false;
    for (const FlowRow& row : PageFlowTable())
    {
        if (row.From != at)
            continue;
        goesOn = true;
        FlowRoad road = taken;
        road.push_back(row);
        const bool loops = std::any_of(taken.begin(), taken.end(),
                                       [&row](const FlowRow& t) { return t.From == row.To; });
        if (loops)
            roads.push_back(road);
        else
            CollectRoads(road, row.To, roads);
    }
    if (!goesOn && !taken.empty())
        roads.push_back(taken);
}

// "InstallMode FirstInstall, DslLine OwnPassword, ...": the choices other than NEXT.
QByteArray RoadName(const FlowRoad& road)
{
    QStringList choices;
    for (const FlowRow& row : road)
        if (row.Choice != FlowChoice::Next)
            choices << QString("%1 %2").arg(PageIdName(row.From), FlowChoiceName(row.Choice));
    return choices.join(", ").toUtf8();
}

}  // namespace

Q_DECLARE_METATYPE(FlowRoad)

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

    void addSetupColumns()
    {
        QTest::addColumn<WalkPlan>("plan");
        QTest::addColumn<QString>("routerHas");
        QTest::addColumn<QString>("routerEndsWith");
        QTest::addColumn<std::size_t>("passwordRequests");
        QTest::addColumn<std::string>("serviceName");
        QTest::addColumn<std::map<std::string, std::string>>("serviceParams");
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

    void setupRoad_data()
    {
        addSetupColumns();
        for (const ProtocolRow& protocol : ProtocolRows())
            for (WalkPath path : {WalkPath::FirstInstall, WalkPath::QuickInstall})
                for (const PasswordRow& password : kPasswordRows)
                {
                    WalkPlan plan = protocol.typed;
                    plan.Path = path;
                    plan.Password = password.state;
                    plan.RouterPassword = password.routerHas;
                    plan.NewRouterPassword = password.typedNew;
                    const char* pathName = path == WalkPath::FirstInstall ? "first install"
                                                                          : "quick";
                    QTest::addRow("%s, %s, %s", protocol.name, pathName, password.name)
                        << plan << password.routerHas << password.routerEndsWith
                        << password.passwordRequests << protocol.serviceName
                        << protocol.serviceParams;
                }
    }

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
    void failureRoad_data()
    {
        addSetupColumns();
        const std::vector<ProtocolRow> protocols = ProtocolRows();
        const struct
        {
            int protocol;
            WalkPath path;
            int password;
        } rows[] = {{0, WalkPath::QuickInstall, 0}, {3, WalkPath::FirstInstall, 2}};
        for (const auto& row : rows)
        {
            const ProtocolRow& protocol = protocols[row.protocol];
            const PasswordRow& password = kPasswordRows[row.password];
            WalkPlan plan = protocol.typed;
            plan.Path = row.path;
            plan.Password = password.state;
            plan.RouterPassword = password.routerHas;
            plan.NewRouterPassword = password.typedNew;
            plan.RetryAfterLightBox = true;
            QTest::addRow("%s, %s", protocol.name, password.name)
                << plan << password.routerHas << password.routerEndsWith
                << password.passwordRequests << protocol.serviceName << protocol.serviceParams;
        }
    }

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
