#pragma once
// The wizard's one top-level window, titled "Tarnix Setup Wizard" with the
// program's icon: the welcome page and every page of the chain above it are
// drawn inside it, the top one shown. Its content keeps the fixed page size,
// the title bar offers no maximise, and the user may move it at any page.
// The close box ends the whole chain, and with it the program; while a page
// would be left half done (the apply run) it asks first.
//
// Where the work area (the screen less its panels) is smaller than a page,
// the window takes the work area and the pages scroll in it: a scroll bar at
// the right, the mouse wheel, and the focus, which is always scrolled into
// view. The pages' bottom buttons (PREV, NEXT, the bottom bar) stay at the
// window's bottom edge wherever the page is scrolled. The window fits itself
// again when the work area changes.

#include <QWidget>

class QScrollBar;

class CWizardWindow : public QWidget
{
    Q_OBJECT

public:
    CWizardWindow();

    // Shows the window above the desktop's others where the desktop allows.
    void BringToFront();
    // Closes as if the close box had been pressed and the exit question
    // answered OK (the session manager ends the program): open message boxes
    // are dismissed, a run under way stops at its next request boundary.
    void CloseAnswered();

    // How far the pages are scrolled (0 when the window shows them whole).
    int ScrollOffset() const { return m_scrollY; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void childEvent(QChildEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WatchScreens();
    void FitToWorkArea();
    void ScrollTo(int y);
    void PlacePages();
    void ShowFocused(QWidget* focused);

    QScrollBar* m_scrollBar = nullptr;
    int m_scrollX = 0;
    int m_scrollY = 0;
    bool m_closeAnswered = false;
};
