#include "CWizardWindow.h"

#include "CWizardPage.h"
#include "PageLayout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>

#include <algorithm>

CWizardWindow::CWizardWindow()
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(kWizardTitle);
    setWindowIcon(QApplication::windowIcon());
    setFixedSize(PageLayout::kPageSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
    {
        const QRect available = screen->availableGeometry();
        QPoint corner = available.center() - rect().center();
        corner.setY(std::max(corner.y(), available.top()));
        move(corner);
    }
}

void CWizardWindow::BringToFront()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void CWizardWindow::closeEvent(QCloseEvent* event)
{
    CWizardPage::EndPagesIn(this);
    event->accept();
}
