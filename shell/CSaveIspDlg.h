#pragma once
// The Apply page: "We are now saving your ISP settings". It starts one apply
// run on a worker thread and watches for its end on a result timer. A run
// that worked is followed by the reachability probe; then the success page or
// the error light box opens above the page, and the page ends when that
// window has ended. A failed run shows the light box only after about a
// minute of ticks, as the router may still be busy with the request. While
// the user has a window open above the page (the exit question, the
// disclaimer) the result waits for it to close. PREV and NEXT do nothing
// here. A line under the progress picture says which step runs.
//
// The worker never touches a widget: it reports its steps and its end by
// queued calls to the user-interface thread. Ending the page cancels the
// run's pause and joins the worker, so no call from it can outlive the page.
// While the run is under way, leaving (Exit, the close box) asks first with
// a warning, and a run stopped midway leaves the unfinished-setup mark. A
// failed step counts as under way until the light box opens.

#include "CCancellablePause.h"
#include "CWizardPage.h"
#include "FailureCause.h"
#include "WizardOptions.h"

#include <QTimer>

#include <atomic>
#include <chrono>
#include <thread>

enum class ApplyStep;
class QProgressBar;
class WizardSession;
struct ApplyRunOptions;

inline constexpr char kSavingHeading[] = "We are now saving your ISP settings";
inline constexpr char kCheckingInternetText[] = "Checking your Internet connection\u2026";

class CSaveIspDlg : public CWizardPage
{
    Q_OBJECT

public:
    explicit CSaveIspDlg(QWidget* owner);
    ~CSaveIspDlg() override;

    CPictureEx* ProgressPicture() const { return m_progressPicture; }
    CLabel* ProgressLine() const { return m_progressLine; }
    QProgressBar* ProgressBar() const { return m_progressBar; }
    int FailureTickCount() const { return FailureTicks; }
    // What the run and the probe saw; None until the result is known.
    FailureCause Cause() const { return m_cause; }

    // Also stops the result timer, cancels the run's pause and joins the
    // worker (after the page is hidden).
    void done(int result) override;
    // The partly-set-up warning while the worker runs.
    QString CloseWarning() const override;

signals:
    // The progress line shows a new text.
    void ProgressChanged(const QString& text);

protected:
    // The run stops at its next request boundary before the program ends.
    void OnExit() override;

private:
    void BuildBody();
    void StartWorker();
    void RunWorker(WizardSession& session, const ApplyRunOptions& options);  // on the worker thread
    void StopWorker();
    // Clears the unfinished-setup mark and the partly-set-up warning.
    void EndRun();
    // The run sent nothing because a value cannot be carried.
    void RefuseUncarriedValue(const QString& message);
    void StartResultTimer();
    void OnResultTimer();
    bool ProbeWithoutFreezing();
    FailureCause CauseAfterProbeWithoutFreezing();
    void ShowStep(ApplyStep step, std::chrono::milliseconds left);
    void ShowProgress(const QString& text);
    void AnnounceProgress();

    // Written by the worker before it asks for the result timer.
    std::atomic<bool> ApplySucceeded{false};
    int FailureTicks = 0;
    // Written by the worker before it asks for the result timer.
    FailureCause m_cause = FailureCause::None;
    std::thread WorkerThread;
    // Until the worker ends; after a failed step, until the light box opens.
    std::atomic<bool> m_runUnderWay{false};

    CCancellablePause m_pause;
    QTimer m_resultTimer;
    bool m_ending = false;
    std::atomic<bool> m_probeCancelled{false};  // read by the probe's thread
    CPictureEx* m_progressPicture = nullptr;
    CLabel* m_progressLine = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QTimer m_announcementGap;
    QString m_announcedGist;
};
