// The Apply page against the router emulator on loopback, with short pauses,
// a fast result timer and recorded effects: which result window it asks for,
// when, and that it ends; its inactive PREV and NEXT; closing it while the
// worker waits; the step line.

#include "CSaveIspDlg.h"
#include "FakeEffects.h"
#include "HttpTransport.h"
#include "InputChecks.h"
#include "RouterSim.h"
#include "SampleSettings.h"
#include "UnfinishedSetup.h"
#include "WizardOptions.h"
#include "WizardSettings.h"
#include "WizardTestScope.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

using namespace std::chrono_literals;

Q_DECLARE_METATYPE(PageId)

namespace {

// Also notes how many failure ticks the Apply page had seen when it asked and
// whether it took input again (the result window it owns needs that), and
// keeps events flowing for a while, as a modal window's loop would.
class ApplyEffects : public FakeEffects
{
public:
    int OpenPageModally(PageId id, QWidget* owner) override
    {
        if (auto* page = qobject_cast<CSaveIspDlg*>(owner))
        {
            ticksAtOpen.push_back(page->FailureTickCount());
            ownerEnabled.push_back(page->isEnabled());
        }
        const int result = FakeEffects::OpenPageModally(id, owner);
        QTest::qWait(30);
        return result;
    }

    std::vector<int> ticksAtOpen;
    std::vector<bool> ownerEnabled;
};

}  // namespace

class TestApplyPage : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    RouterSim m_sim;
    ApplyEffects m_effects;
    std::unique_ptr<CSaveIspDlg> m_page;
    std::optional<WizardTestScope> m_scope;

    std::string SupportUrl() const { return "http://" + m_sim.Address() + "/support"; }

    CSaveIspDlg& OpenPage()
    {
        m_page = std::make_unique<CSaveIspDlg>(nullptr);
        m_page->show();
        return *m_page;
    }

    // Runs a page until it has ended by itself; true when it did.
    bool RunToEnd()
    {
        OpenPage();
        [this] { QTRY_VERIFY_WITH_TIMEOUT(!m_page->isVisible(), 10000); }();
        return !m_page->isVisible() && m_page->result() == QDialog::Rejected;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // A home of its own: tests running beside this one set and clear
        // the unfinished-setup mark too.
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qRegisterMetaType<PageId>();
        QVERIFY(m_sim.Start() > 0);
    }

    void cleanupTestCase() { m_sim.Stop(); }

    void init()
    {
        m_effects = ApplyEffects();
        m_scope.emplace(&m_effects);
        m_sim.ClearFaults();
        m_sim.SetState(SimRouterState());
        m_sim.ClearRequests();
        GetWizardSettings() = SamplePppoeSettings();
        WizardOptions& options = GetWizardOptions();
        options.RouterAddress = m_sim.Address();
        options.ProbeUrls = {SupportUrl()};
        options.PauseMs = 0;
        options.SettleMs = 0;
        options.Timeouts = {2000ms, 2000ms, 2000ms};
        options.ResultTimerPeriod = 2ms;
    }

    void cleanup()
    {
        m_page.reset();
        m_scope.reset();
        QTRY_VERIFY(VisibleTopLevels().isEmpty());
    }

    void pageShowsHeadingProgressAndInactiveNavigation()
    {
        GetWizardOptions().SettleMs = 30000;
        CSaveIspDlg& page = OpenPage();
        QCOMPARE(page.HeadingLabel()->text(), QString(kSavingHeading));
        QCOMPARE(page.BackgroundPath(), QString("pic/BG/1100.gif"));
        QVERIFY(page.ProgressPicture()->IsPlaying());
        QVERIFY(page.ProgressPicture()->y() > page.HeadingLabel()->geometry().bottom());
        QTest::mouseClick(page.PrevButton(), Qt::LeftButton);
        QTest::mouseClick(page.NextButton(), Qt::LeftButton);
        QVERIFY(page.isVisible());
        QVERIFY(m_effects.openedPages.empty());
        page.close();
    }

    // A run the router took: the probe decides, then the page ends.
    void resultFollowsTheProbe_data()
    {
        QTest::addColumn<int>("closedFirst");  // closed sites tried before the support page
        QTest::addColumn<bool>("markerMissing");
        QTest::addColumn<int>("closedAfter");
        QTest::addColumn<PageId>("expected");
        QTest::newRow("first site answers") << 0 << false << 1 << PageId::Success;
        QTest::newRow("second site answers") << 1 << false << 1 << PageId::Success;
        QTest::newRow("no Internet") << 1 << true << 1 << PageId::ErrorLightBox;
    }

    void resultFollowsTheProbe()
    {
        QFETCH(int, closedFirst);
        QFETCH(bool, markerMissing);
        QFETCH(int, closedAfter);
        QFETCH(PageId, expected);
        const std::string closed = "http://" + ClosedLoopbackAddress() + "/";
        std::vector<std::string> urls(closedFirst, closed);
        urls.push_back(SupportUrl());
        urls.insert(urls.end(), closedAfter, closed);
        GetWizardOptions().ProbeUrls = urls;
        SimFault noMarker;
        noMarker.MissingMarker = true;
        if (markerMissing)
            m_sim.SetFault("/support", noMarker);

        QVERIFY(RunToEnd());
        QCOMPARE(m_effects.openedPages, std::vector<PageId>{expected});
        QVERIFY(!TakeUnfinishedSetupMark());
        // At once after the probe, not after the failure ticks.
        QCOMPARE(m_effects.ticksAtOpen, std::vector<int>{0});
        QCOMPARE(m_effects.ownerEnabled, std::vector<bool>{true});
        QCOMPARE(m_sim.RequestsTo("/support").size(), std::size_t(1));
        QCOMPARE(m_sim.RequestsTo("/wlsecurity.wl").size(), std::size_t(1));
    }

    void refusedWanRequestShowsLightBoxAfterTheTicks_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("service summary") << "/internet_sum.cgi";
        QTest::newRow("service add") << "/dlwancfg.cmd";
    }

    void refusedWanRequestShowsLightBoxAfterTheTicks()
    {
        QFETCH(QString, path);
        SimFault refused;
        refused.Status = 500;
        m_sim.SetFault(path.toStdString(), refused);

        QVERIFY(RunToEnd());
        QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::ErrorLightBox});
        QVERIFY(!TakeUnfinishedSetupMark());
        QCOMPARE(m_effects.ticksAtOpen, std::vector<int>{kFailureTickLimit + 1});
        QVERIFY(m_sim.RequestsTo("/wlcfg.wl").empty());
        QVERIFY(m_sim.RequestsTo("/wlsecurity.wl").empty());
        QVERIFY(m_sim.RequestsTo("/support").empty());
    }

    // The exit question or the disclaimer above the page is not covered.
    void resultWaitsForAWindowAboveThePage_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::addColumn<PageId>("expected");
        QTest::newRow("applied") << false << PageId::Success;
        QTest::newRow("refused") << true << PageId::ErrorLightBox;
    }

    void resultWaitsForAWindowAboveThePage()
    {
        QFETCH(bool, refused);
        QFETCH(PageId, expected);
        SimFault refusal;
        refusal.Status = 500;
        if (refused)
            m_sim.SetFault("/dlwancfg.cmd", refusal);
        CSaveIspDlg& page = OpenPage();
        QDialog above(&page);
        above.setModal(true);
        above.show();
        if (refused)
            QTRY_VERIFY_WITH_TIMEOUT(page.FailureTickCount() > kFailureTickLimit + 10, 10000);
        else
            QTRY_VERIFY_WITH_TIMEOUT(!m_sim.RequestsTo("/wlsecurity.wl").empty(), 10000);
        QTest::qWait(100);
        QVERIFY(m_effects.openedPages.empty());
        QVERIFY(page.isVisible());
        above.close();
        QTRY_VERIFY_WITH_TIMEOUT(!page.isVisible(), 10000);
        QCOMPARE(m_effects.openedPages, std::vector<PageId>{expected});
    }

    void secondRunLogsInWithTheNewPassword()
    {
        WizardSettings& settings = GetWizardSettings();
        settings.PasswordChangeRequested = true;
        settings.NewRouterPassword = "Fresh-pass1";
        QVERIFY(RunToEnd());
        QCOMPARE(m_sim.State().AdminPassword, std::string("Fresh-pass1"));

        m_sim.ClearRequests();
        m_effects.openedPages.clear();
        QVERIFY(RunToEnd());
        QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::Success});
        const std::vector<SimRequest> logins = m_sim.RequestsTo("/index.html");
        QVERIFY(!logins.empty());
        QVERIFY2(logins.front().Body.find("password=Fresh-pass1") != std::string::npos,
                 logins.front().Body.c_str());
    }

    // The worker waits in the long pause after the last request, or a WAN
    // request was refused and the light box is not yet due. Leaving asks
    // first, with the warning; Cancel keeps the run going, OK ends it at once
    // and leaves the unfinished-setup mark for the next start.
    void closingDuringTheWaitEndsPromptly_data()
    {
        QTest::addColumn<bool>("byExit");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("wanRefused");
        QTest::newRow("close box, OK") << false << QMessageBox::Ok << false;
        QTest::newRow("close box, Cancel") << false << QMessageBox::Cancel << false;
        QTest::newRow("Exit, OK") << true << QMessageBox::Ok << false;
        QTest::newRow("Exit, Cancel") << true << QMessageBox::Cancel << false;
        QTest::newRow("WAN refused, close box, OK") << false << QMessageBox::Ok << true;
    }

    void closingDuringTheWaitEndsPromptly()
    {
        QFETCH(bool, byExit);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, wanRefused);
        GetWizardOptions().SettleMs = 30000;
        GetWizardOptions().ResultTimerPeriod = 100ms;  // the light box not before 12 s
        SimFault refused;
        refused.Status = 500;
        if (wanRefused)
            m_sim.SetFault("/dlwancfg.cmd", refused);
        CSaveIspDlg& page = OpenPage();
        QSignalSpy steps(&page, &CSaveIspDlg::ProgressChanged);
        if (wanRefused)
            QTRY_VERIFY_WITH_TIMEOUT(page.FailureTickCount() > 1, 10000);
        else
            QTRY_VERIFY_WITH_TIMEOUT(
                !steps.isEmpty() && steps.last().first().toString().startsWith("Waiting"), 10000);
        m_effects.answers = {answer};
        QElapsedTimer closing;
        closing.start();
        if (byExit)
            QTest::mouseClick(page.ExitButton(), Qt::LeftButton);
        else
            page.close();
        QCOMPARE(m_effects.messages.size(), std::size_t(1));
        QCOMPARE(m_effects.messages.front().text,
                 QString(kExitQuestion) + "\n\n" + kPartlySetUpWarning);
        if (answer == QMessageBox::Cancel)
        {
            QVERIFY(page.isVisible());
            const qsizetype stepsBefore = steps.size();
            QTRY_VERIFY_WITH_TIMEOUT(steps.size() > stepsBefore, 3000);  // still counting down
            QVERIFY(m_effects.endStatuses.empty());
            m_effects.answers = {QMessageBox::Ok};
            page.close();
            QVERIFY(TakeUnfinishedSetupMark());
            return;
        }
        QVERIFY(!page.isVisible());
        m_page.reset();
        QVERIFY(closing.elapsed() < 1000);
        QTest::qWait(50);  // a late call from the worker would find no page
        QVERIFY(m_effects.openedPages.empty());
        QCOMPARE(m_effects.endStatuses, byExit ? std::vector<int>{0} : std::vector<int>{});
        QVERIFY(TakeUnfinishedSetupMark());
        QVERIFY(!TakeUnfinishedSetupMark());  // told once
    }

    // The router keeps the wireless request waiting when the page is closed:
    // the request ends at once, not at its time-out, and nothing follows it.
    void closingDuringARequestEndsItPromptly()
    {
        SimFault hanging;
        hanging.Delay = 30s;
        m_sim.SetFault("/wlcfg.wl", hanging);
        GetWizardOptions().Timeouts = HttpTimeouts{};  // the real 20 s page read
        CSaveIspDlg& page = OpenPage();
        QTRY_VERIFY_WITH_TIMEOUT(!m_sim.RequestsTo("/wlcfg.wl").empty(), 10000);
        const std::size_t sent = m_sim.Requests().size();
        QElapsedTimer closing;
        closing.start();
        page.close();
        m_page.reset();
        const qint64 elapsed = closing.elapsed();
        QVERIFY2(elapsed < 1500, qPrintable(QString("took %1 ms").arg(elapsed)));
        QTest::qWait(100);
        QCOMPARE(m_sim.Requests().size(), sent);
        QVERIFY(m_effects.openedPages.empty());
        QVERIFY(TakeUnfinishedSetupMark());
    }

    // A value the requests cannot carry: nothing is sent, the page says which
    // value at once and ends, so the user can go back and change it.
    void uncarriableValueSendsNothingAndGoesBack()
    {
        GetWizardSettings().PppUserName = std::string(131000, 'u');
        QVERIFY(RunToEnd());
        QVERIFY(m_sim.Requests().empty());
        QVERIFY(m_effects.openedPages.empty());
        QCOMPARE(m_effects.messages.size(), std::size_t(1));
        QCOMPARE(
            m_effects.messages[0].text,
            QString("The user name of your Internet account is too long to send to the router. "
                    "Please make it shorter."));
        QCOMPARE(m_effects.messages[0].icon, QMessageBox::Warning);
        QCOMPARE(m_page->FailureTickCount(), 0);
    }

    void progressLineShowsTheSteps()
    {
        GetWizardSettings().PasswordChangeRequested = true;
        GetWizardSettings().NewRouterPassword = "Fresh-pass1";
        GetWizardOptions().SettleMs = 2000;
        OpenPage();
        QSignalSpy steps(m_page.get(), &CSaveIspDlg::ProgressChanged);
        QTRY_VERIFY_WITH_TIMEOUT(!m_page->isVisible(), 10000);
        QStringList shown;
        for (const QList<QVariant>& step : steps)
            shown << step.first().toString();
        const QStringList expected{
            "Logging in to your router\u2026",
            "Setting up your Internet connection\u2026",
            "Logging in to your router\u2026",
            "Setting up your wireless network\u2026",
            "Changing the router password\u2026",
            "Waiting for the router to restart its connection \u2014 about 2 seconds left",
            "Waiting for the router to restart its connection \u2014 about 1 second left",
            kCheckingInternetText,
        };
        QCOMPARE(shown, expected);
        QCOMPARE(m_page->ProgressLine()->text(), QString(kCheckingInternetText));
    }
};

QTEST_MAIN(TestApplyPage)
#include "tst_ApplyPage.moc"
