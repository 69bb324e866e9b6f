#include "WalkDriver.h"

#include "CTarnixConnectDlg.h"
#include "CWizardPage.h"
#include "CWizardWindow.h"
#include "ClickHelpers.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace {

constexpr std::chrono::milliseconds kPollPeriod{5};
// One page may wait for a login or an apply run; none takes this long.
constexpr qint64 kStepLimitMs = 15000;
constexpr std::chrono::milliseconds kCloseRetryPeriod{50};

QString TopPageName()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return QString("a %1").arg(modal->metaObject()->className());
    const CWizardPage* top = CWizardPage::TopPage();
    return top ? QString("the %1 page").arg(PageIdName(top->Id())) : QString("no page");
}

// The windows a person would see, message boxes and tool tips aside.
QStringList ShownWindows()
{
    QStringList shown;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && !qobject_cast<QMessageBox*>(window)
            && !window->inherits("QTipLabel"))
            shown << window->metaObject()->className();
    return shown;
}

}  // namespace

WalkDriver::WalkDriver(std::vector<WalkStep> steps) : m_steps(std::move(steps))
{
}

void WalkDriver::SetPageShownHook(std::function<void(CWizardPage&)> hook)
{
    m_pageShown = std::move(hook);
}

QString WalkDriver::Run(std::chrono::milliseconds limit)
{
    // As the program starts: the welcome page inside the wizard's window.
    CWizardWindow window;
    CTarnixConnectDlg welcome(&window);
    QTimer::singleShot(limit, this, [this, limit] {
        Fail(QString("the walk took longer than %1 ms").arg(limit.count()));
    });
    m_stepClock.start();
    SchedulePoll();
    welcome.exec();
    m_finished = true;
    if (m_failure.isEmpty() && m_next < m_steps.size())
        m_failure = QString("the wizard ended while step %1 waited for the %2 page")
                        .arg(m_next + 1)
                        .arg(PageIdName(m_steps[m_next].Page));
    return m_failure;
}

void WalkDriver::SchedulePoll()
{
    // A fresh timer each time: a timer does not fire again while its own
    // slot is still running, and an action may run a page modally.
    QTimer::singleShot(kPollPeriod, this, [this] { Poll(); });
}

CWizardPage* WalkDriver::ReadyPage() const
{
    CWizardPage* top = CWizardPage::TopPage();
    const bool shown = top && top != m_actedOn && top->Id() == m_steps[m_next].Page
                       && top->isVisible() && top->isEnabled()
                       && !QApplication::activeModalWidget();
    if (!shown)
        return nullptr;
    // Keys typed before the window is active go astray (a field selects its
    // text when the window activates), so wait for it. A window a message
    // box has left is not always activated again on the offscreen
    // platform, a headless compositor with no seat activates none, and a
    // busy window manager may leave the request unanswered: ask for it, and
    // make it the active window, as a person clicking on it would.
    if (!top->isActiveWindow())
    {
        top->window()->activateWindow();
        if (QGuiApplication::platformName() != "offscreen")
            QApplication::setActiveWindow(top->window());
        return nullptr;
    }
    return top;
}

void WalkDriver::Poll()
{
    if (m_finished || !m_failure.isEmpty() || m_next == m_steps.size())
        return;
    CWizardPage* page = ReadyPage();
    if (!page)
    {
        if (m_stepClock.elapsed() > kStepLimitMs)
            Fail(QString("step %1 waited for the %2 page; on top: %3")
                     .arg(m_next + 1)
                     .arg(PageIdName(m_steps[m_next].Page), TopPageName()));
        else
            SchedulePoll();
        return;
    }
    const QStringList windows = ShownWindows();
    if (windows.size() != 1)
        return Fail(QString("step %1 on the %2 page: %3 windows shown (%4)")
                        .arg(m_next + 1)
                        .arg(PageIdName(page->Id()))
                        .arg(windows.size())
                        .arg(windows.join(", ")));
    const WalkStep& step = m_steps[m_next++];
    m_actedOn = page;
    m_stepClock.restart();
    SchedulePoll();
    // The hook may wait while later steps run above this page.
    const QPointer<CWizardPage> guarded(page);
    if (m_pageShown)
        m_pageShown(*page);
    if (guarded && m_failure.isEmpty())
        step.Act(*this, *guarded);
}

void WalkDriver::Fail(const QString& why)
{
    if (m_finished || !m_failure.isEmpty())
        return;
    m_failure = why;
    CloseEveryPage();
}

bool WalkDriver::Press(QAbstractButton* button, const char* name)
{
    if (!button || !button->isVisible() || !button->isEnabled())
    {
        Fail(QString("%1 is not there to press on %2").arg(name, TopPageName()));
        return false;
    }
    Click(button);
    return true;
}

void WalkDriver::CloseEveryPage()
{
    // Each page's run returns only once the pages above it have ended, and
    // code after a page's run may open another: keep closing until the
    // welcome page's run has returned.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible())
            window->close();
    if (!m_finished)
        QTimer::singleShot(kCloseRetryPeriod, this, [this] { CloseEveryPage(); });
}
