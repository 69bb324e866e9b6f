// The light box names what the apply run and the probe saw, against the
// router emulator on loopback: a router that does not answer, a refused
// login, each refused setting, a DSL line that is not up and an Internet that
// does not answer although the line is up.

#include "CErrorTipsDlg.h"
#include "CSaveIspDlg.h"
#include "FakeEffects.h"
#include "HttpTransport.h"
#include "RouterSim.h"
#include "SampleSettings.h"
#include "WizardOptions.h"
#include "WizardSettings.h"
#include "WizardTestScope.h"

#include <QStandardPaths>
#include <QTest>

#include <memory>
#include <optional>

using namespace std::chrono_literals;

Q_DECLARE_METATYPE(FailureCause)

namespace {

constexpr char kNotSavedHeading[] = "Sorry, we are unable to save your ISP settings.";

// Builds the light box the Apply page asks for, above it, and keeps its texts.
class LightBoxEffects : public FakeEffects
{
public:
    int OpenPageModally(PageId id, QWidget* owner) override
    {
        if (id == PageId::ErrorLightBox)
        {
            CErrorTipsDlg lightBox(owner);
            heading = lightBox.HeadingLabel()->text();
            causeLine = lightBox.CauseLabel()->text();
        }
        return FakeEffects::OpenPageModally(id, owner);
    }

    QString heading;
    QString causeLine;
};

struct Scenario
{
    std::string faultPath;
    SimFault fault;
    int refusedLogins = 0;
    bool routerGone = false;
    std::string downstreamRate = "0";
    bool newPassword = false;
};

}  // namespace

Q_DECLARE_METATYPE(Scenario)

class TestLightBoxCause : public QObject
{
    Q_OBJECT

private:
    RouterSim m_sim;
    LightBoxEffects m_effects;
    std::optional<WizardTestScope> m_scope;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_sim.Start() > 0);
    }

    void cleanupTestCase() { m_sim.Stop(); }

    void init()
    {
        m_effects = LightBoxEffects();
        m_scope.emplace(&m_effects);
        m_sim.ClearFaults();
        m_sim.ClearRequests();
        WizardOptions& options = GetWizardOptions();
        options.RouterAddress = m_sim.Address();
        options.ProbeUrls = {"http://" + m_sim.Address() + "/support"};
        options.PauseMs = 0;
        options.SettleMs = 0;
        options.Timeouts = {2000ms, 2000ms, 2000ms};
        options.ResultTimerPeriod = 1ms;
    }

    void cleanup() { m_scope.reset(); }

    void causeLine_data()
    {
        QTest::addColumn<Scenario>("scenario");
        QTest::addColumn<FailureCause>("cause");
        QTest::addColumn<bool>("notSaved");
        QTest::addColumn<QString>("named");  // what the cause line must say
        const SimFault refused{.Status = 500};
        const SimFault noMarker{.MissingMarker = true};
        QTest::newRow("router gone") << Scenario{.routerGone = true} << FailureCause::RouterNoAnswer
                                     << true << "did not answer";
        QTest::newRow("login refused") << Scenario{.refusedLogins = 100}
                                       << FailureCause::LoginRefused << true << "refused the login";
        QTest::newRow("Internet service refused")
            << Scenario{.faultPath = "/dlwancfg.cmd", .fault = refused}
            << FailureCause::InternetServiceRefused << true << "Internet service";
        QTest::newRow("wireless network refused")
            << Scenario{.faultPath = "/wlcfg.wl", .fault = refused}
            << FailureCause::WirelessNetworkRefused << true << "wireless network";
        QTest::newRow("wireless security refused")
            << Scenario{.faultPath = "/wlsecurity.wl", .fault = refused}
            << FailureCause::WirelessSecurityRefused << true << "wireless security";
        QTest::newRow("router password refused")
            << Scenario{.faultPath = "/password.cgi", .fault = refused, .newPassword = true}
            << FailureCause::RouterPasswordRefused << true << "router password";
        QTest::newRow("saved, line not up")
            << Scenario{.faultPath = "/support", .fault = noMarker} << FailureCause::DslLineDown
            << false << "DSL line is not up";
        QTest::newRow("saved, line up, no Internet")
            << Scenario{.faultPath = "/support", .fault = noMarker, .downstreamRate = "8128"}
            << FailureCause::NoInternet << false << "ISP user name and password";
    }

    void causeLine()
    {
        QFETCH(Scenario, scenario);
        QFETCH(FailureCause, cause);
        QFETCH(bool, notSaved);
        QFETCH(QString, named);
        SimRouterState state;
        state.DownstreamRate = scenario.downstreamRate;
        m_sim.SetState(state);
        if (!scenario.faultPath.empty())
            m_sim.SetFault(scenario.faultPath, scenario.fault);
        m_sim.RefuseLogins(scenario.refusedLogins);
        if (scenario.routerGone)
            GetWizardOptions().RouterAddress = "127.0.0.1:1";
        GetWizardSettings() = scenario.newPassword ? SamplePppoeSettingsWithNewPassword()
                                                   : SamplePppoeSettings();

        CSaveIspDlg page(nullptr);
        page.show();
        QTRY_VERIFY_WITH_TIMEOUT(!page.isVisible(), 15000);
        m_sim.RefuseLogins(0);

        QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::ErrorLightBox});
        QCOMPARE(page.Cause(), cause);
        QCOMPARE(m_effects.heading == kNotSavedHeading, notSaved);
        QVERIFY2(m_effects.causeLine.contains(named), qPrintable(m_effects.causeLine));
    }

    // Opened without an Apply page below (nothing known): the old texts, no cause line.
    void withoutApplyPageNoCauseLine()
    {
        CErrorTipsDlg lightBox(nullptr);
        QCOMPARE(lightBox.HeadingLabel()->text(), QString(kNotSavedHeading));
        QVERIFY(lightBox.CauseLabel()->text().isEmpty());
    }
};

QTEST_MAIN(TestLightBoxCause)
#include "tst_LightBoxCause.moc"
