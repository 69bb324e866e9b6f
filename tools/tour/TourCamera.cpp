#include "TourCamera.h"

#include "CLabel.h"
#include "CWizardPage.h"

#include <QApplication>
#include <QDir>
#include <QHelpEvent>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QToolTip>

#include <algorithm>
#include <cstdio>

namespace {

// Long enough for a background picture's first frame and the labels.
constexpr int kPaintWaitMs = 300;

void WaitUntilPainted(QWidget& page)
{
    if (!QTest::qWaitForWindowExposed(&page))
        std::fprintf(stderr, "tarnix-tour: %s was never exposed\n", page.metaObject()->className());
    QTest::qWait(kPaintWaitMs);
}

QPoint ScreenPos(const QWidget& widget)
{
    return widget.mapToGlobal(QPoint(0, 0));
}

CLabel* WidestExplainedTerm(const QWidget& page)
{
    CLabel* widest = nullptr;
    for (CLabel* label : page.findChildren<CLabel*>())
        if (!label->toolTip().isEmpty() && label->isVisible()
            && (!widest || label->toolTip().size() > widest->toolTip().size()))
            widest = label;
    return widest;
}

int VisibleChildCount(const QWidget& page)
{
    const QList<QWidget*> children = page.findChildren<QWidget*>();
    return int(std::count_if(children.begin(), children.end(),
                             [&page](const QWidget* child) { return child->isVisibleTo(&page); }));
}

QWidget* ShownToolTip()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->inherits("QTipLabel") && window->isVisible())
            return window;
    return nullptr;
}

}  // namespace

TourCamera::TourCamera(const QString& folder, bool screenToo)
    : m_folder(folder), m_screenToo(screenToo)
{
}

bool TourCamera::SeenAsIs(CWizardPage& page)
{
    const int shown = VisibleChildCount(page);
    for (auto& [taken, count] : m_taken)
        if (taken == &page)
        {
            const bool same = count == shown;
            count = shown;
            return same;
        }
    m_taken.emplace_back(&page, shown);
    return false;
}

bool TourCamera::TakePage(CWizardPage& page, const QString& road)
{
    // A page walked back to is taken again only when it shows more or less.
    if (SeenAsIs(page))
        return false;
    // The window as the user sees it: the light box over the page beneath.
    QWidget& window = *page.window();
    WaitUntilPainted(window);
    const QString name = road + '-' + PageIdName(page.Id());
    Save(window.grab().toImage(), name);
    if (m_screenToo)
        Save(page.screen()->grabWindow(0).toImage(), name + "-screen");
    return true;
}

void TourCamera::TakeToolTip(CWizardPage& page, const QString& road)
{
    CLabel* term = WidestExplainedTerm(page);
    if (!term)
        return;
    // The tip shows where the mouse rests on the term, as for a person. On a
    // real display the pointer's own move arrives later: let it, then rest.
    const QPoint inside = term->rect().center();
    QTest::mouseMove(term, inside);
    QTest::qWait(kPaintWaitMs);
    QHelpEvent rest(QEvent::ToolTip, inside, term->mapToGlobal(inside));
    QApplication::sendEvent(term, &rest);
    // A tip that never shows is reported below, with the picture saved bare.
    if (QTest::qWaitFor([] { return ShownToolTip() != nullptr; }, 1000))
        QTest::qWait(kPaintWaitMs);
    QImage picture = page.window()->grab().toImage();
    if (QWidget* tip = ShownToolTip())
    {
        QPainter painter(&picture);
        painter.drawPixmap(ScreenPos(*tip) - ScreenPos(*page.window()), tip->grab());
    }
    else
        std::fprintf(stderr, "tarnix-tour: no tool tip showed on %s\n", PageIdName(page.Id()));
    QToolTip::hideText();
    Save(picture, road + '-' + PageIdName(page.Id()) + "-tooltip");
}

void TourCamera::Save(const QImage& picture, const QString& name)
{
    const QString path = QDir(m_folder).filePath(
        QString("%1-%2.png").arg(++m_count, 2, 10, QChar('0')).arg(name));
    if (!picture.save(path))
        std::fprintf(stderr, "tarnix-tour: could not write %s\n", qPrintable(path));
}
