#pragma once
// The wizard's one top-level window, titled "Tarnix Setup Wizard" with the
// program's icon: the welcome page and every page of the chain above it are
// drawn inside it, the top one shown. Its content keeps the fixed page size,
// the title bar offers no maximise, and the user may move it at any page.
// The close box ends the whole chain, and with it the program.

#include <QWidget>

class CWizardWindow : public QWidget
{
    Q_OBJECT

public:
    CWizardWindow();

    // Shows the window above the desktop's others where the desktop allows.
    void BringToFront();

protected:
    void closeEvent(QCloseEvent* event) override;
};
