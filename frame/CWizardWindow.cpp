#include "CWizardWindow.h"

#include "CWizardPage.h"
#include "PageLayout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>

namespace {

// The window manager's title bar and borders before it has told their size.
constexpr QSize kFrameGuess{8, 32};
// Room kept between a focused field and the window's edges when scrolling.
constexpr int kFocusMargin = 12;
// When to look at the frame's size again after the window appears.
constexpr int kFrameSettleMs[] = {100, 500};
// One wheel notch.
constexpr int kWheelStep = 48;

// The work area of the screen the window is on (or will be).
QRect WorkArea(const QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(QPoint(), PageLayout::kPageSize);
}

}  // namespace

CWizardWindow::CWizardWindow()
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(kWizardTitle);
    setWindowIcon(QApplication::windowIcon());
    setFixedSize(PageLayout::kPageSize);
    const QRect available = WorkArea(*this);
    QPoint corner = available.center() - rect().center();
    corner.setY(std::max(corner.y(), available.top()));
    move(corner);

    m_scrollBar = new QScrollBar(Qt::Vertical, this);
    m_scrollBar->hide();
    m_scrollBar->setAccessibleName("Scroll the page");
    connect(m_scrollBar, &QScrollBar::valueChanged, this, &CWizardWindow::ScrollTo);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { ShowFocused(now); });
    WatchScreens();
    FitToWorkArea();
}

void CWizardWindow::BringToFront()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void CWizardWindow::CloseAnswered()
{
    m_closeAnswered = true;
    // Each box's own loop must end before the pages' loops can.
    for (QWidget* box = QApplication::activeModalWidget(); box;)
    {
        box->close();
        QWidget* next = QApplication::activeModalWidget();
        box = next == box ? nullptr : next;
    }
    close();
}

void CWizardWindow::closeEvent(QCloseEvent* event)
{
    // A question still open when the answered close came counts as OK.
    if (!m_closeAnswered && !CWizardPage::ConfirmClosing(this))
    {
        event->ignore();
        return;
    }
    CWizardPage::EndPagesIn(this);
    event->accept();
}

void CWizardWindow::WatchScreens()
{
    auto watch = [this](QScreen* screen) {
        connect(screen, &QScreen::availableGeometryChanged, this, &CWizardWindow::FitToWorkArea);
    };
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, watch);
    connect(qApp, &QGuiApplication::screenRemoved, this, &CWizardWindow::FitToWorkArea,
            Qt::QueuedConnection);
}

void CWizardWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FitToWorkArea();
    // The window manager tells its frame's size some time after the window
    // appears, without an event to say so.
    for (const int ms : kFrameSettleMs)
        QTimer::singleShot(ms, this, &CWizardWindow::FitToWorkArea);
}

// The window manager tells the frame's size once the window is shown; the
// window then knows how much of the work area is left for the pages.
void CWizardWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    FitToWorkArea();
}

void CWizardWindow::FitToWorkArea()
{
    const QRect area = WorkArea(*this);
    // Once shown, the frame is what the window manager says (none offscreen);
    // asked of the native window, as the widget keeps an early answer.
    const QMargins margins = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QSize frame = isVisible() ? QSize(margins.left() + margins.right(),
                                            margins.top() + margins.bottom())
                                    : kFrameGuess;
    const QSize fitted = PageLayout::kPageSize.boundedTo(area.size() - frame);
    if (fitted != size())
        setFixedSize(fitted);
    // Where the window no longer fits where it is, it moves into the area.
    const QPoint frameCorner = isVisible()
                                   ? geometry().topLeft() - QPoint(margins.left(), margins.top())
                                   : pos();
    const QRect outer(frameCorner, fitted + frame);
    if (!area.contains(outer))
        move(std::clamp(outer.left(), area.left(),
                        std::max(area.left(), area.right() - outer.width() + 1)),
             std::clamp(outer.top(), area.top(),
                        std::max(area.top(), area.bottom() - outer.height() + 1)));

    const int hidden = PageLayout::kPageSize.height() - fitted.height();
    m_scrollBar->setVisible(hidden > 0);
    const int barWidth = m_scrollBar->sizeHint().width();
    m_scrollBar->setGeometry(fitted.width() - barWidth, 0, barWidth, fitted.height());
    m_scrollBar->setRange(0, std::max(hidden, 0));
    m_scrollBar->setPageStep(fitted.height());
    m_scrollBar->setSingleStep(kWheelStep / 2);
    // A narrower window loses the page's empty side margins, equally.
    m_scrollX = std::max(PageLayout::kPageSize.width() - fitted.width(), 0) / 2;
    ScrollTo(std::clamp(m_scrollY, 0, std::max(hidden, 0)));
}

void CWizardWindow::ScrollTo(int y)
{
    m_scrollY = std::clamp(y, 0, m_scrollBar->maximum());
    if (m_scrollBar->value() != m_scrollY)
        m_scrollBar->setValue(m_scrollY);
    PlacePages();
}

void CWizardWindow::PlacePages()
{
    const int visibleBottom = m_scrollY + height();
    for (CWizardPage* page : findChildren<CWizardPage*>(Qt::FindDirectChildrenOnly))
    {
        page->move(-m_scrollX, -m_scrollY);
        page->KeepBottomButtonsWithin(visibleBottom);
    }
    m_scrollBar->raise();
}

void CWizardWindow::childEvent(QChildEvent* event)
{
    QWidget::childEvent(event);
    // A page about to be shown for the first time starts at its top.
    if (event->type() == QEvent::ChildPolished && qobject_cast<CWizardPage*>(event->child()))
    {
        event->child()->installEventFilter(this);
        ScrollTo(0);
    }
}

bool CWizardWindow::eventFilter(QObject* watched, QEvent* event)
{
    // A page raised to the top of the chain must not cover the scroll bar.
    if (event->type() == QEvent::ZOrderChange)
        m_scrollBar->raise();
    return QWidget::eventFilter(watched, event);
}

void CWizardWindow::wheelEvent(QWheelEvent* event)
{
    if (!m_scrollBar->isVisible())
        return QWidget::wheelEvent(event);
    ScrollTo(m_scrollY - event->angleDelta().y() * kWheelStep / 120);
    event->accept();
}

void CWizardWindow::ShowFocused(QWidget* focused)
{
    if (!focused || focused->window() != this || !m_scrollBar->isVisible())
        return;
    auto* page = qobject_cast<CWizardPage*>(focused->parentWidget());
    for (QWidget* above = focused; above && !page; above = above->parentWidget())
        page = qobject_cast<CWizardPage*>(above);
    if (!page || page->IsBottomButton(focused))
        return;
    const QRect field(focused->mapTo(page, QPoint(0, 0)), focused->size());
    // Above the buttons kept at the bottom edge, unless scrolled to the end,
    // where they are back in their places.
    const int shownHeight = height() - page->BottomButtonsHeight();
    if (field.top() - kFocusMargin < m_scrollY)
        ScrollTo(field.top() - kFocusMargin);
    else if (field.bottom() + kFocusMargin > m_scrollY + shownHeight)
        ScrollTo(field.bottom() + kFocusMargin - shownHeight);
}
