#include "CFocusRing.h"

#include "AccessibleRoles.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace {

constexpr QColor kLight(255, 255, 255);
constexpr QColor kDark(0, 58, 72);
constexpr char kRingAsOneProperty[] = "tarnixRingAsOne";

// A focused part of a compound control (one part of an address field) gets
// the ring around the whole control.
QWidget* RingedControl(QWidget* focused, const QWidget* host)
{
    QWidget* control = focused;
    while (control->parentWidget() && control->parentWidget() != host
           && control->parentWidget()->property(kRingAsOneProperty).toBool())
        control = control->parentWidget();
    return control;
}

}  // namespace

void CFocusRing::RingAsOne(QWidget* control)
{
    control->setProperty(kRingAsOneProperty, true);
}

CFocusRing::CFocusRing(QWidget* host) : QWidget(host), m_host(host)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    HideFromAssistiveTechnology(this);
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { Follow(now); });
}

void CFocusRing::Follow(QWidget* focused)
{
    if (m_target)
        m_target->removeEventFilter(this);
    m_target = nullptr;
    if (focused && focused != m_host && m_host->isAncestorOf(focused))
        m_target = RingedControl(focused, m_host);
    if (m_target)
        m_target->installEventFilter(this);
    Place();
}

void CFocusRing::Place()
{
    if (!m_target || !m_target->isVisible())
    {
        hide();
        return;
    }
    const int reach = 2 * kLineWidth;
    const QRect around(m_target->mapTo(m_host, QPoint(0, 0)), m_target->size());
    setGeometry(around.adjusted(-reach, -reach, reach, reach));
    raise();
    show();
    update();
}

bool CFocusRing::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_target)
    {
        switch (event->type())
        {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide: Place(); break;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CFocusRing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect outer = rect();
    const QRect inner = outer.adjusted(kLineWidth, kLineWidth, -kLineWidth, -kLineWidth);
    const QRect control = inner.adjusted(kLineWidth, kLineWidth, -kLineWidth, -kLineWidth);
    QRegion dark = QRegion(outer).subtracted(inner);
    QRegion light = QRegion(inner).subtracted(control);
    for (const QRect& band : dark)
        painter.fillRect(band, kDark);
    for (const QRect& band : light)
        painter.fillRect(band, kLight);
}
