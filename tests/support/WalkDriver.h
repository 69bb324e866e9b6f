#pragma once
// Walks the real wizard as a person would. The welcome page runs inside the
// wizard's window and every later page runs above it there in a nested run,
// so a step cannot simply follow the click before it: each step waits until
// its page is on top of the chain, arms the wait for the next step and only
// then acts (the action may block, as NEXT runs the following page). Before
// each step the wizard must show exactly one window (message boxes and tool
// tips aside). A walk that gets stuck or runs too long is ended: the window
// is closed and the walk reports which step it was waiting for.

#include "PageId.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

#include <chrono>
#include <functional>
#include <vector>

class CWizardPage;
class QAbstractButton;
class WalkDriver;

struct WalkStep
{
    PageId Page;
    // Acts on the page. Ends by leaving the page: a different page must be on
    // top for the next step, as a step never waits for the page it acted on.
    std::function<void(WalkDriver&, CWizardPage&)> Act;
};

class WalkDriver : public QObject
{
public:
    explicit WalkDriver(std::vector<WalkStep> steps);

    // Called with each step's page before the step acts on it.
    void SetPageShownHook(std::function<void(CWizardPage&)> hook);

    // Opens the welcome page and runs it until the walk has ended it, for at
    // most limit. Returns why the walk failed; empty when every step ran.
    QString Run(std::chrono::milliseconds limit);

    // For actions: records the first failure and ends the walk.
    void Fail(const QString& why);
    // A real mouse click on a shown, enabled button; a failure otherwise.
    bool Press(QAbstractButton* button, const char* name);

private:
    void Poll();
    void SchedulePoll();
    CWizardPage* ReadyPage() const;
    void CloseEveryPage();

    std::vector<WalkStep> m_steps;
    std::size_t m_next = 0;
    QPointer<CWizardPage> m_actedOn;
    QElapsedTimer m_stepClock;
    std::function<void(CWizardPage&)> m_pageShown;
    QString m_failure;
    bool m_finished = false;
};
