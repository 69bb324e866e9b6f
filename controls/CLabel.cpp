#include "CLabel.h"

#include "AccessibleRoles.h"

#include <QFont>
#include <QPalette>

namespace {

constexpr int kFlagBold = 0x1;
constexpr int kFlagUnderline = 0x2;

Qt::Alignment AlignmentFromCode(int alignment)
{
    switch (alignment)
    {
    case 1: return Qt::AlignHCenter | Qt::AlignTop;
    case 2: return Qt::AlignRight | Qt::AlignTop;
    default: return Qt::AlignLeft | Qt::AlignTop;
    }
}

}  // namespace

CLabel::CLabel(QWidget* parent) : CLabel(QString(), parent)
{
}

CLabel::CLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setWordWrap(true);
    setAlignment(AlignmentFromCode(0));
    setTextFormat(Qt::PlainText);
    SetTransparent(true);
}

void CLabel::StyleLabel(int size, int flags, int alignment, const QColor& colour)
{
    SetTextColor(colour);
    SetTransparent(true);
    QFont styled = font();
    styled.setPointSize(size);
    styled.setWeight((flags & kFlagBold) ? QFont::Bold : QFont::Normal);
    styled.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    styled.setUnderline((flags & kFlagUnderline) != 0);
    setFont(styled);
    setAlignment(AlignmentFromCode(alignment));
}

void CLabel::SetTextColor(const QColor& colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colour);
    setPalette(colours);
}

QColor CLabel::TextColor() const
{
    return palette().color(QPalette::WindowText);
}

void CLabel::SetTransparent(bool transparent)
{
    // A label that paints no background lets the widget system repaint the
    // parent beneath it on every change, so replaced text leaves no remains.
    m_transparent = transparent;
    setAutoFillBackground(!transparent);
    setBackgroundRole(QPalette::Button);
    // Qt would otherwise pair the Button background with ButtonText and draw
    // the text in the system colour instead of the styled one.
    setForegroundRole(QPalette::WindowText);
}

bool CLabel::IsTransparent() const
{
    return m_transparent;
}

void CLabel::SetAlert(bool alert, QWidget* field)
{
    m_alert = alert;
    m_field = field;
    if (alert)
        ShowAsAlert(this);
}

void CLabel::showEvent(QShowEvent* event)
{
    QLabel::showEvent(event);
    // Shown, an alert is spoken by readers as the notification it is to them.
    if (m_alert && m_field)
        Describe(m_field, text());
}

void CLabel::hideEvent(QHideEvent* event)
{
    QLabel::hideEvent(event);
    if (m_field && m_field->accessibleDescription() == text())
        Describe(m_field, QString());
}
