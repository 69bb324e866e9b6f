#pragma once
// Real mouse clicks on skinned buttons, and running code on the page that is
// on top once the run that opens it has started.

#include "CWizardPage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <functional>

// Option buttons take clicks on their indicator and text only: click near
// the left edge; push buttons in their middle.
inline void Click(QAbstractButton* button)
{
    QVERIFY(button);
    QVERIFY(button->isVisible());
    const bool optionButton = button->isCheckable();
    const QPoint at = optionButton ? QPoint(8, button->height() / 2) : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
}

// Runs action on the page on top of the chain as soon as one other than
// below is there (the page opened above below), polling for at most 5 s.
inline void WhenPageAbove(QWidget* below, std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer;
    auto* started = new QElapsedTimer;
    started->start();
    QObject::connect(timer, &QTimer::timeout, [timer, started, below, action] {
        QWidget* top = CWizardPage::TopPage();
        const bool expired = started->elapsed() > 5000;
        if ((top && top != below) || expired)
        {
            timer->stop();
            timer->deleteLater();
            delete started;
            if (!expired)
                action(top);
        }
    });
    timer->start(10);
}
