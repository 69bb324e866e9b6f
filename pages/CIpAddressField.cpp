#include "CIpAddressField.h"

#include "AccessibleRoles.h"
#include "CFocusRing.h"
#include "InputChecks.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <utility>

namespace {

// One part: nothing, or up to three digits worth 0..255 (leading zeros allowed).
const QRegularExpression kPartPattern("(25[0-5]|2[0-4][0-9]|[01]?[0-9]?[0-9])?");
const QRegularExpression kWholePart(QRegularExpression::anchoredPattern(kPartPattern.pattern()));

bool IsWholePart(const QString& text)
{
    return !text.isEmpty() && kWholePart.match(text).hasMatch();
}

bool IsTab(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
}

}  // namespace

CIpAddressField::CIpAddressField(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(0);
    auto* validator = new QRegularExpressionValidator(kPartPattern, this);
    for (std::size_t index = 0; index < m_parts.size(); ++index)
    {
        if (index > 0)
        {
            auto* dot = new QLabel(".", this);
            dot->setAccessibleName(QStringLiteral("."));
            layout->addWidget(dot);
        }
        auto* part = new QLineEdit(this);
        ShowAsField(part);
        part->setFrame(false);
        part->setAlignment(Qt::AlignCenter);
        part->setValidator(validator);
        part->installEventFilter(this);
        // Tab moves from field to field, as with one control; "." and the
        // arrows move between the parts.
        if (index > 0)
            part->setFocusPolicy(Qt::ClickFocus);
        connect(part, &QLineEdit::textEdited, this, [this, index](const QString& text) {
            if (text.size() == 3 && index + 1 < m_parts.size())
            {
                FocusPart(int(index) + 1, false);
                m_movedOnByDigits = true;
            }
        });
        layout->addWidget(part, 1);
        m_parts[index] = part;
    }
    // No focus proxy: Qt's Tab would stop at a proxied field wherever the
    // field itself sits in the focus chain, which after the page has put
    // the first parts in reading order is not where its first part is.
    CFocusRing::RingAsOne(this);
}

void CIpAddressField::focusInEvent(QFocusEvent* event)
{
    m_parts[0]->setFocus(event->reason());
}

QString CIpAddressField::Text() const
{
    std::array<std::string, 4> parts;
    for (std::size_t index = 0; index < parts.size(); ++index)
        parts[index] = m_parts[index]->text().toStdString();
    return QString::fromStdString(AddressFieldText(parts));
}

int CIpAddressField::PartIndex(const QObject* watched) const
{
    for (std::size_t index = 0; index < m_parts.size(); ++index)
        if (watched == m_parts[index])
            return int(index);
    return -1;
}

bool CIpAddressField::eventFilter(QObject* watched, QEvent* event)
{
    const int index = PartIndex(watched);
    if (index < 0)
        return QFrame::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut)
    {
        m_movedOnByDigits = false;
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const bool movedOnByDigits = std::exchange(m_movedOnByDigits, false);
    if (keyEvent->matches(QKeySequence::Paste))
        return Paste(QGuiApplication::clipboard()->text());
    if (keyEvent->key() == Qt::Key_Period && movedOnByDigits)
        return true;
    return LeaveByTab(index, *keyEvent) || HandlePartKey(index, *keyEvent);
}

// Tab or Shift+Tab in a later part leaves the field as it would from the
// first part, instead of stopping at the first part on the way back.
bool CIpAddressField::LeaveByTab(int index, const QKeyEvent& key)
{
    if (index == 0 || !IsTab(key))
        return false;
    m_parts[0]->setFocus(Qt::OtherFocusReason);
    QKeyEvent again(key.type(), key.key(), key.modifiers(), key.text());
    QCoreApplication::sendEvent(m_parts[0], &again);
    return true;
}

// True when the key moved the focus to another part (or was the separator).
bool CIpAddressField::HandlePartKey(int index, const QKeyEvent& key)
{
    const QLineEdit* part = m_parts[index];
    const bool atStart = part->cursorPosition() == 0 && !part->hasSelectedText();
    const bool atEnd = part->cursorPosition() == part->text().size() && !part->hasSelectedText();
    const int last = int(m_parts.size()) - 1;
    switch (key.key())
    {
    case Qt::Key_Period:
        if (!part->text().isEmpty() && index < last)
            FocusPart(index + 1, false);
        return true;
    case Qt::Key_Backspace:
    case Qt::Key_Left:
        if (!atStart || index == 0)
            return false;
        FocusPart(index - 1, true);
        return true;
    case Qt::Key_Right:
        if (!atEnd || index == last)
            return false;
        FocusPart(index + 1, false);
        return true;
    default: return false;
    }
}

// A whole dotted address fills all four parts; one number goes into the part
// as typed text would (the part's own paste); anything else empties the field.
bool CIpAddressField::Paste(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (IsWholePart(trimmed))
        return false;
    const QStringList parts = trimmed.split('.');
    const bool address = parts.size() == int(m_parts.size())
                         && std::all_of(parts.begin(), parts.end(), IsWholePart);
    for (std::size_t index = 0; index < m_parts.size(); ++index)
        m_parts[index]->setText(address ? parts[int(index)] : QString());
    FocusPart(address ? int(m_parts.size()) - 1 : 0, true);
    return true;
}

void CIpAddressField::FocusPart(int index, bool atEnd)
{
    QLineEdit* part = m_parts[index];
    part->setFocus(Qt::OtherFocusReason);
    if (atEnd)
        part->end(false);
    else
        part->selectAll();
}
