#include "CSaveIspDlg.h"

#include "AccessibleRoles.h"
#include "CApplyRun.h"
#include "CLabel.h"
#include "CPictureEx.h"
#include "CWizardEffects.h"
#include "InternetProbe.h"
#include "RunWithoutFreezing.h"
#include "UnfinishedSetup.h"
#include "WizardOptions.h"
#include "WizardSession.h"

#include <QApplication>
#include <QMetaObject>
#include <QProgressBar>
#include <QRegularExpression>

#include <functional>

namespace {

// The picture and the step line sit in the middle of the content panel.
constexpr QRect kProgressLineRect{60, 300, 680, 22};
constexpr LabelStyle kProgressLineStyle{9, 0, 1, QColor(0, 0, 0)};
constexpr int kProgressPictureBottom = 288;
constexpr QRect kProgressBarRect{300, 330, 200, 10};
// A screen reader hears the step line change at most this often, and a
// countdown not at all once its step was heard.
constexpr std::chrono::milliseconds kAnnouncementGap{4000};

// The share of the run done when step starts (the settling pause counts as
// the last seventh, filled as it passes).
int PercentDone(ApplyStep step, std::chrono::milliseconds left)
{
    constexpr int kSteps = int(ApplyStep::Settle) + 1;
    int percent = int(step) * 100 / kSteps;
    const long long settle = GetWizardOptions().SettleMs;
    if (step == ApplyStep::Settle && settle > 0)
        percent += int((settle - std::min<long long>(left.count(), settle)) * 100 / settle
                       / kSteps);
    return percent;
}

// A line without its figures: a countdown's lines all have the same gist.
QString Gist(QString text)
{
    static const QRegularExpression figures("\\d+");
    return text.remove(figures);
}

QString SettleText(std::chrono::milliseconds left)
{
    const long long seconds = (left.count() + 999) / 1000;
    return QString("Waiting for the router to restart its connection \u2014 about %1 %2 left")
        .arg(seconds)
        .arg(seconds == 1 ? "second" : "seconds");
}

QString StepText(ApplyStep step, std::chrono::milliseconds left)
{
    switch (step)
    {
    case ApplyStep::WanLogin:
    case ApplyStep::WirelessLogin: return "Logging in to your router\u2026";
    case ApplyStep::WanService: return "Setting up your Internet connection\u2026";
    case ApplyStep::WirelessBasic:
    case ApplyStep::WirelessSecurity: return "Setting up your wireless network\u2026";
    case ApplyStep::PasswordChange: return "Changing the router password\u2026";
    case ApplyStep::Settle: return SettleText(left);
    }
    return QString();
}

// A step after the first login failed: what went before it has changed the
// router.
bool MayLeaveRouterPartlySetUp(ApplyOutcome outcome)
{
    return outcome == ApplyOutcome::WanServiceFailed || outcome == ApplyOutcome::WirelessFailed
           || outcome == ApplyOutcome::PasswordChangeFailed;
}

}  // namespace

CSaveIspDlg::CSaveIspDlg(QWidget* owner)
    : CWizardPage(
        PageFrame{.Id = PageId::Apply, .Background = "pic/BG/1100.gif", .Heading = kSavingHeading},
        owner)
{
    SetNavigationInactive();
    BuildBody();
    m_resultTimer.setInterval(GetWizardOptions().ResultTimerPeriod);
    connect(&m_resultTimer, &QTimer::timeout, this, &CSaveIspDlg::OnResultTimer);
    StartWorker();
}

CSaveIspDlg::~CSaveIspDlg()
{
    StopWorker();
}

void CSaveIspDlg::BuildBody()
{
    m_progressPicture = new CPictureEx(this);
    if (m_progressPicture->Load(QString("pic/PROGRESS/PROGRESS20.gif")))
        m_progressPicture->Draw();
    const QSize size = m_progressPicture->GetSize();
    m_progressPicture->move(PageLayout::kContentRect.center().x() - size.width() / 2,
                            kProgressPictureBottom - size.height());
    m_progressLine = AddLabel(QString(), kProgressLineRect, kProgressLineStyle);
    ShowAsNotice(m_progressLine);
    m_progressBar = new QProgressBar(this);
    m_progressBar->setGeometry(kProgressBarRect);
    m_progressBar->setTextVisible(false);
    m_progressBar->setAccessibleName(kSavingHeading);
    m_announcementGap.setSingleShot(true);
    m_announcementGap.setInterval(kAnnouncementGap);
    connect(&m_announcementGap, &QTimer::timeout, this, &CSaveIspDlg::AnnounceProgress);
}

void CSaveIspDlg::StartWorker()
{
    const WizardOptions& options = GetWizardOptions();
    ApplyRunOptions runOptions;
    runOptions.RouterAddress = ConfiguredRouterAddress();
    runOptions.StepPause = std::chrono::milliseconds(options.PauseMs);
    runOptions.SettlePause = std::chrono::milliseconds(options.SettleMs);
    runOptions.Timeouts = options.Timeouts;
    MarkSetupUnderWay();
    m_runUnderWay = true;
    // The worker applies the session's record through its link; the page waits
    // for it before it ends, and the session outlives the page.
    WorkerThread = std::thread(&CSaveIspDlg::RunWorker, this, std::ref(WizardSession::Current()),
                               runOptions);
}

void CSaveIspDlg::RunWorker(WizardSession& session, const ApplyRunOptions& options)
{
    CApplyRun run(session.Link, session.Settings, m_pause, options,
                  [this](ApplyStep step, std::chrono::milliseconds left) {
                      QMetaObject::invokeMethod(
                          this, [this, step, left] { ShowStep(step, left); }, Qt::QueuedConnection);
                  });
    const ApplyOutcome outcome = run.Run();
    // Cancelled: the page is ending and waits for this thread; the mark
    // stays, as the router may hold only part of the settings.
    if (outcome == ApplyOutcome::Cancelled)
        return;
    // A failed step may have left the router without its old settings, and
    // the light box says so only after the wait: the mark and the close
    // question stay until it opens.
    if (!MayLeaveRouterPartlySetUp(outcome))
        EndRun();
    if (outcome == ApplyOutcome::NotCarried)
    {
        const QString message = QString::fromStdString(CarryMessage(run.Refusal()));
        QMetaObject::invokeMethod(
            this, [this, message] { RefuseUncarriedValue(message); }, Qt::QueuedConnection);
        return;
    }
    m_cause = run.Cause();
    ApplySucceeded = outcome == ApplyOutcome::Applied;
    QMetaObject::invokeMethod(this, &CSaveIspDlg::StartResultTimer, Qt::QueuedConnection);
}

void CSaveIspDlg::EndRun()
{
    ClearSetupUnderWay();
    m_runUnderWay = false;
}

void CSaveIspDlg::RefuseUncarriedValue(const QString& message)
{
    // Nothing reached the router: no reason to wait a minute, nor for the
    // light box. The user goes back to the pages to change the value.
    if (m_ending)
        return;
    StopWorker();
    ShowPlainMessage(message, QMessageBox::Warning);
    reject();
}

QString CSaveIspDlg::CloseWarning() const
{
    return m_runUnderWay ? QString(kPartlySetUpWarning) : QString();
}

void CSaveIspDlg::OnExit()
{
    if (!AskExitQuestion(CloseWarning()))
        return;
    StopWorker();
    WizardEffects().EndProgram(0);
    reject();
}

void CSaveIspDlg::StopWorker()
{
    m_pause.Cancel();
    if (WorkerThread.joinable())
        WorkerThread.join();
}

void CSaveIspDlg::StartResultTimer()
{
    // The worker may have finished just as the page was closed.
    if (!m_ending)
        m_resultTimer.start();
}

void CSaveIspDlg::OnResultTimer()
{
    if (!ApplySucceeded && ++FailureTicks <= kFailureTickLimit)
        return;
    // A window the user opened above the page (the exit question, the
    // disclaimer) is answered first; the result must not cover it.
    const CWizardPage* top = TopPage();
    if ((top && top != this) || QApplication::activeModalWidget())
        return;
    // Stopped before any window opens, so the result is shown once only.
    m_resultTimer.stop();
    StopWorker();
    EndRun();  // a failed step kept the mark until its result is told
    const bool online = ApplySucceeded && ProbeWithoutFreezing();
    if (ApplySucceeded && !online && !m_ending)
        m_cause = CauseAfterProbeWithoutFreezing();
    if (m_ending)
        return;  // closed while the probe ran
    OpenNext(online ? FlowChoice::Online : FlowChoice::Offline);
    reject();
}

bool CSaveIspDlg::ProbeWithoutFreezing()
{
    ShowProgress(kCheckingInternetText);
    const WizardOptions& options = GetWizardOptions();
    const std::vector<std::string> urls = options.ProbeUrls;
    const std::chrono::milliseconds timeout = options.Timeouts.Probe;
    // Closing the window ends the probe in flight rather than its time-out.
    const auto closed = [this] { return m_probeCancelled.load(); };
    return RunWithoutFreezing(
               this,
               [&urls, timeout, &closed] { return ProbeSitesInOrder(urls, timeout, {}, closed); })
           >= 0;
}

FailureCause CSaveIspDlg::CauseAfterProbeWithoutFreezing()
{
    const std::string routerAddress = ConfiguredRouterAddress();
    const std::chrono::milliseconds timeout = GetWizardOptions().Timeouts.PageRead;
    return RunWithoutFreezing(
        this, [&routerAddress, timeout] { return CauseAfterFailedProbe(routerAddress, timeout); });
}

void CSaveIspDlg::ShowStep(ApplyStep step, std::chrono::milliseconds left)
{
    m_progressBar->setValue(PercentDone(step, left));
    ShowProgress(StepText(step, left));
}

void CSaveIspDlg::ShowProgress(const QString& text)
{
    if (text == m_progressLine->text())
        return;
    m_progressLine->setText(text);
    if (!m_announcementGap.isActive())
        AnnounceProgress();
    emit ProgressChanged(text);
}

// Politely: a new step is heard once, no sooner than the gap after the last.
void CSaveIspDlg::AnnounceProgress()
{
    const QString gist = Gist(m_progressLine->text());
    if (gist == m_announcedGist)
        return;
    m_announcedGist = gist;
    AnnounceNotice(m_progressLine);
    m_announcementGap.start();
}

void CSaveIspDlg::done(int result)
{
    m_ending = true;
    m_probeCancelled = true;
    m_resultTimer.stop();
    // Hidden first: a worker still inside a request is waited for without a
    // frozen page on the screen.
    CWizardPage::done(result);
    StopWorker();
}
