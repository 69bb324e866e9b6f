#include "CIpAddressField.h"

#include "InputChecks.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {

// One part: nothing, or up to three digits worth 0..255 (leading zeros allowed).
const QRegularExpression kPartPattern("(25[0-5]|2[0-4][0-9]|[01]?[0-9]?[0-9])?");
const QRegularExpression kWholePart(QRegularExpression::anchoredPattern(kPartPattern.pattern()));

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
            layout->addWidget(new QLabel(".", this));
        auto* part = new QLineEdit(this);
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
                FocusPart(int(index) + 1, false);
        });
        layout->addWidget(part, 1);
        m_parts[index] = part;
    }
    setFocusProxy(m_parts[0]);
}

QString CIpAddressField::Text() const
{
    std::array<std::string, 4> parts;
    for (std::size_t index = 0; index < parts.size(); ++index)
        parts[index] = m_parts[index]->text().toStdString();
    return QString::fromStdString(AddressFieldText(parts));
}

bool CIpAddressField::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    const bool paste = keyEvent->matches(QKeySequence::Paste);
    if (paste && PasteAddress(QGuiApplication::clipboard()->text()))
        return true;
    for (std::size_t index = 0; index < m_parts.size(); ++index)
        if (watched == m_parts[index])
            return HandlePartKey(int(index), keyEvent->key());
    return false;
}

// True when the key moved the focus to another part (or was the separator).
bool CIpAddressField::HandlePartKey(int index, int key)
{
    const QLineEdit* part = m_parts[index];
    const bool atStart = part->cursorPosition() == 0 && !part->hasSelectedText();
    const bool atEnd = part->cursorPosition() == part->text().size() && !part->hasSelectedText();
    const int last = int(m_parts.size()) - 1;
    switch (key)
    {
    case Qt::Key_Period:
        // After a third digit has moved on already, the dot finds an empty part.
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
    default:
        return false;
    }
}

// A whole dotted address pasted into any part fills all four.
bool CIpAddressField::PasteAddress(const QString& text)
{
    const QStringList parts = text.trimmed().split('.');
    if (parts.size() != int(m_parts.size()))
        return false;
    for (const QString& part : parts)
        if (part.isEmpty() || !kWholePart.match(part).hasMatch())
            return false;
    for (std::size_t index = 0; index < m_parts.size(); ++index)
        m_parts[index]->setText(parts[int(index)]);
    FocusPart(int(m_parts.size()) - 1, true);
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
