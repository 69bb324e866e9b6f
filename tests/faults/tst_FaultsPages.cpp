// The wizard's own pages against an emulator that answers badly, with
// shortened time-outs and recorded effects: the Apply page (its run, probe and
// result window), the logins of the install mode and DSL line pages, the
// existing-password page's login and password change, and the restore page's
// read of the wireless settings. Each row names the
// faults, what the page must ask for (pages opened, messages shown), the last
// stage the requests may reach and the time it may take.

#include "CDslLineDlg.h"
#include "CFogetPassAndModifyDlg.h"
#include "CIpLink.h"
#include "CQuicKOrFirstInstallDlg.h"
#include "CRestoreConfiguration.h"
#include "CSaveIspDlg.h"
#include "ClickHelpers.h"
#include "FakeEffects.h"
#include "HttpTransport.h"
#include "PrimeRouterLink.h"
#include "RequestLogChecks.h"
#include "RouterFaults.h"
#include "ScenarioSettings.h"
#include "WizardOptions.h"
#include "WizardTestScope.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <functional>
#include <memory>
#include <optional>

using namespace std::chrono_literals;

namespace {
// What the page asked for, in order: "open Success", "message <text>".
QStringList AskedFor(const FakeEffects& effects)
{
    QStringList asked;
    for (PageId id : effects.openedPages)
        asked << QString("open ") + PageIdName(id);
    for (const ShownMessage& message : effects.messages)
        asked << "message " + message.text;
    return asked;
}
}  // namespace

class TestFaultsPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void applyPage_data();
    void applyPage();
    void pageLogin_data();
    void pageLogin();
    void existingPasswordChange_data();
    void existingPasswordChange();
    void closingApplyPageWhileRouterHangs();
    void restorePage_data();
    void restorePage();

private:
    static void AddColumns();
    // Starts the row's faults, runs drive (which returns once the page has
    // done its router work, with what the page shows if that matters) and
    // checks the row.
    void RunScenario(const std::function<QStringList()>& drive);

    std::unique_ptr<RouterSim> m_sim;
    FakeEffects m_effects;
    std::optional<WizardTestScope> m_scope;
};

void TestFaultsPages::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestFaultsPages::init()
{
    m_sim = std::make_unique<RouterSim>();
    QVERIFY(m_sim->Start() > 0);
    m_sim->SetState(ScenarioRouterState());
    m_effects = FakeEffects();
    m_scope.emplace(&m_effects);
    GetWizardSettings() = SamplePppoeSettingsWithNewPassword();
    WizardOptions& options = GetWizardOptions();
    options.RouterAddress = m_sim->Address();
    options.ProbeUrls = {"http://" + m_sim->Address() + "/support"};
    options.PauseMs = 0;
    options.SettleMs = 0;
    options.Timeouts = kShortTimeouts;
    options.ResultTimerPeriod = 2ms;
}

void TestFaultsPages::cleanup()
{
    m_scope.reset();
    QTRY_VERIFY(VisibleTopLevels().isEmpty());
    m_sim.reset();
}

void TestFaultsPages::AddColumns()
{
    QTest::addColumn<RouterFaults>("faults");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<RunStage>("lastStage");
    QTest::addColumn<int>("boundMs");
}

void TestFaultsPages::RunScenario(const std::function<QStringList()>& drive)
{
    QFETCH(RouterFaults, faults);
    QFETCH(QStringList, expected);
    QFETCH(RunStage, lastStage);
    QFETCH(int, boundMs);
    ApplyFaults(*m_sim, faults);

    QElapsedTimer clock;
    clock.start();
    const QStringList shown = drive();
    const qint64 elapsed = clock.elapsed();

    // Asked for exactly once: a result window opened twice is a fault too.
    QCOMPARE(AskedFor(m_effects) + shown, expected);
    QVERIFY2(elapsed < boundMs, qPrintable(QString("took %1 ms").arg(elapsed)));
    const std::vector<SimRequest> log = m_sim->Requests();
    QVERIFY2(!log.empty(), "nothing reached the emulator");
    const QStringList cut = CutRequests(log, m_sim->Address());
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
    const QStringList late = RequestsPast(log, lastStage);
    QVERIFY2(late.isEmpty(), qPrintable(late.join('\n')));
    if (expected.contains("open Success"))
    {
        const QString missing = MissingSettings(m_sim->State());
        QVERIFY2(missing.isEmpty(), qPrintable(missing));
    }
}

void TestFaultsPages::applyPage_data()
{
    AddColumns();
    const QStringList success = {"open Success"};
    const auto add = [](const char* name, const RouterFaults& faults, const QStringList& expected,
                        RunStage last, int boundMs) {
        QTest::newRow(name) << faults << expected << last << boundMs;
    };
    const auto failed = [](const char* cause) {
        return QStringList{"open ErrorLightBox", QString("cause ") + cause};
    };
    add("slow everywhere", Everywhere(kSlow), failed("The router did not answer"), RunStage::Login,
        8000);
    add("slow wireless security", At("/wlsecurity.wl", kSlow), failed("The router did not answer"),
        RunStage::Wireless, 4000);
    add("slow probe site", At("/support", kSlow),
        failed("Settings saved and the DSL line is up, but the Internet did not answer"),
        RunStage::Probe, 4000);
    add("wireless answer cut", At("/wlcfg.wl", {.DropAfterBytes = 10}),
        failed("The router did not answer"), RunStage::Wireless, 4000);
    // Something answers, but not with a session cookie: nothing past the login.
    const QStringList loginRefused = failed("The router refused the login");
    add("302 everywhere", Everywhere({.Status = 302}), loginRefused, RunStage::Login, 4000);
    add("binary garbage everywhere", Everywhere({.BinaryBytes = 70000}), loginRefused,
        RunStage::Login, 4000);
    add("200 and empty everywhere", Everywhere({.EmptyBody = true}), loginRefused, RunStage::Login,
        4000);
    add("another make's login page", Everywhere({.ForeignLogin = true}), loginRefused,
        RunStage::Login, 4000);
    add("index.html a status page", IndexIsStatusPage(), loginRefused, RunStage::Login, 4000);
    add("index.html 302 to another page", IndexRedirects(), loginRefused, RunStage::Login, 4000);
    // The router refused one setting: the light box names it, not the cables.
    const QStringList serviceRefused = failed("The router refused the Internet service");
    add("500 to the Internet service", At("/internet_sum.cgi", {.Status = 500}), serviceRefused,
        RunStage::Wan, 4000);
    add("500 to the wireless network", At("/wlcfg.wl", {.Status = 500}),
        failed("The router refused the wireless network"), RunStage::Wireless, 4000);
    add("binary WAN form", At("/setup_wancfg.html", {.BinaryBytes = 70000}), serviceRefused,
        RunStage::Wan, 4000);
    add("megabytes before every marker", Everywhere({.PadBytes = 3'000'000}), success,
        RunStage::Probe, 12000);
    add("two session keys, stale first", Everywhere({.RepeatedMarker = true}), serviceRefused,
        RunStage::Wan, 4000);
    add("session keys refused", KeysRefused(), serviceRefused, RunStage::Wan, 4000);
    add("password change refused", At("/password.cgi", {.Body = "Password change failed"}),
        failed("The router refused the new router password"), RunStage::Password, 4000);
}

void TestFaultsPages::applyPage()
{
    RunScenario([] {
        CSaveIspDlg page(nullptr);
        page.show();
        [&] { QTRY_VERIFY_WITH_TIMEOUT(!page.isVisible(), 15000); }();
        if (page.Cause() == FailureCause::None)
            return QStringList();
        return QStringList{QString("cause ") + FailureCauseText(page.Cause())};
    });
}

void TestFaultsPages::pageLogin_data()
{
    AddColumns();
    QTest::addColumn<bool>("dslLinePage");  // else the install mode page's quick install
    const QStringList created = {"open CreatePassword"}, existing = {"open ExistingPassword"};
    const auto add = [](const char* name, const RouterFaults& faults, const QStringList& expected,
                        int boundMs) {
        for (const bool dslLinePage : {false, true})
        {
            const QString row = QString(dslLinePage ? "DSL line page, " : "quick install, ") + name;
            QTest::newRow(qPrintable(row))
                << faults << expected << RunStage::Login << boundMs << dslLinePage;
        }
    };
    // Nothing answered: no password was refused, so none is asked for.
    const QStringList noAnswer = {QString("message ") + kRouterNoAnswerText};
    add("slow login", Everywhere(kSlow), noAnswer, 3500);
    add("login answer cut", Everywhere({.DropAfterBytes = 20}), noAnswer, 2000);
    add("302 to the login", Everywhere({.Status = 302}), existing, 2000);
    add("index.html a status page", IndexIsStatusPage(), existing, 2000);
    add("index.html 302 to another page", IndexRedirects(), existing, 2000);
    add("another make's login page", Everywhere({.ForeignLogin = true}), existing, 2000);
    add("binary login answer", Everywhere({.BinaryBytes = 70000}), existing, 2000);
    add("empty login answer", Everywhere({.EmptyBody = true}), existing, 2000);
    add("megabytes of login answer", Everywhere({.PadBytes = 3'000'000}), created, 4000);
    add("logins refused", LoginsRefused(1000), existing, 2000);
}

void TestFaultsPages::pageLogin()
{
    QFETCH(bool, dslLinePage);
    RunScenario([dslLinePage] {
        std::unique_ptr<CWizardPage> page;
        QAbstractButton* button = nullptr;
        if (dslLinePage)
        {
            PrimeRouterLink(*GetRouterLink(), "vabel");  // as the welcome page leaves it
            page = std::make_unique<CDslLineDlg>(nullptr);
            button = page->NextButton();
        }
        else
        {
            auto installMode = std::make_unique<CQuicKOrFirstInstallDlg>(nullptr);
            button = installMode->PictureButton(
                CQuicKOrFirstInstallDlg::InstallChoice::QuickInstall);
            page = std::move(installMode);
        }
        page->show();
        Click(button);
        [&] { QVERIFY(page->isEnabled()); }();  // usable again whatever the router did
        page->close();
        return QStringList();
    });
}

void TestFaultsPages::existingPasswordChange_data()
{
    AddColumns();
    const QStringList refused = {QString("message ") + kPasswordChangeRefusedMessage};
    const QStringList invalid = {};  // the fields are marked, nothing else happens
    const auto add = [](const char* name, const RouterFaults& faults, const QStringList& expected,
                        RunStage last, int boundMs) {
        QTest::newRow(name) << faults << expected << last << boundMs;
    };
    add("slow login", At("/index.html", kSlow), {QString("message ") + kRouterNoAnswerText},
        RunStage::Login, 2000);
    add("login refused", LoginsRefused(1000), invalid, RunStage::Login, 2000);
    add("slow password change", At("/password.cgi", kSlow), refused, RunStage::Password, 2000);
    add("password answer cut", At("/password.cgi", {.DropAfterBytes = 10}), refused,
        RunStage::Password, 2000);
    add("password form without its key", At("/password.html", {.MissingMarker = true}), refused,
        RunStage::Password, 2000);
    add("302 on the password form", At("/password.cgi", {.Status = 302}), refused,
        RunStage::Password, 2000);
    add("session keys refused", KeysRefused(), refused, RunStage::Password, 2000);
}

void TestFaultsPages::existingPasswordChange()
{
    SimRouterState state = ScenarioRouterState();
    state.AdminPassword = "s3cret";
    m_sim->SetState(state);
    RunScenario([] {
        CFogetPassAndModifyDlg page(nullptr);
        page.show();
        page.PasswordField(CFogetPassAndModifyDlg::Existing)->setText("s3cret");
        page.ChangeCheckBox()->setChecked(true);
        page.PasswordField(CFogetPassAndModifyDlg::New)->setText("newpw");
        page.PasswordField(CFogetPassAndModifyDlg::Confirmation)->setText("newpw");
        Click(page.NextButton());
        [&] { QVERIFY(page.isEnabled()); }();
        page.close();
        return QStringList();
    });
    // A change the router did not confirm leaves the link on the old password.
    QCOMPARE(GetRouterLink()->GetPassword(), std::string("s3cret"));
}

// The user closes the Apply page while the router does not answer the
// login: the page ends within that request's time-out, asks for nothing and
// its run sends nothing more.
void TestFaultsPages::closingApplyPageWhileRouterHangs()
{
    m_sim->SetFaultEverywhere(kSlow);
    CSaveIspDlg page(nullptr);
    page.show();
    QTRY_COMPARE(m_sim->Requests().size(), std::size_t(1));
    QElapsedTimer clock;
    clock.start();
    page.close();
    QVERIFY2(clock.elapsed() < kShortTimeouts.Post.count() + 500,
             qPrintable(QString("took %1 ms").arg(clock.elapsed())));
    QVERIFY(!page.isVisible());
    // Only the exit question with its warning, answered OK.
    QCOMPARE(AskedFor(m_effects),
             QStringList{QString("message ") + kExitQuestion + "\n\n" + kPartlySetUpWarning});
    QCOMPARE(m_sim->Requests().size(), std::size_t(1));
}

void TestFaultsPages::restorePage_data()
{
    AddColumns();
    const QStringList nothing = {"shows SSID '', key 'None'"};
    const auto add = [](const char* name, const RouterFaults& faults, const QStringList& expected) {
        QTest::newRow(name) << faults << expected << RunStage::Wireless << 2000;
    };
    add("slow security page", Everywhere(kSlow), nothing);
    add("security page cut", Everywhere({.DropAfterBytes = 60}), nothing);
    add("302 to the security page", Everywhere({.Status = 302}), nothing);
    add("binary security page", Everywhere({.BinaryBytes = 70000}), nothing);
    add("security page without markers", Everywhere({.MissingMarker = true}), nothing);
    add("megabytes before the markers", Everywhere({.PadBytes = 3'000'000}),
        {"shows SSID 'KRX-5100A', key 'changeme123'"});
}

void TestFaultsPages::restorePage()
{
    RunScenario([] {
        PrimeRouterLink(*GetRouterLink());  // as the welcome page leaves it
        CRestoreConfiguration page(nullptr);
        QSignalSpy read(&page, &CRestoreConfiguration::SettingsRead);
        page.show();
        [&] { QVERIFY(read.wait(5000)); }();
        page.close();
        return QStringList{
            QString("shows SSID '%1', key '%2'")
                .arg(page.NetworkNameLabel()->text(), page.NetworkKeyLabel()->text())};
    });
}

QTEST_MAIN(TestFaultsPages)
#include "tst_FaultsPages.moc"
