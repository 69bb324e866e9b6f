// How a page reads by keyboard and to a screen reader: the order Tab takes,
// the focus a page opens on, Enter and Escape, captions tied to their fields
// and the terms that explain themselves.
#include "CWizardPage.h"

#include "AccessibleRoles.h"
#include "CLabel.h"
#include "CWizardEffects.h"
#include "CxSkinButton.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QToolTip>

#include <algorithm>
#include <utility>

namespace {

// The tip text of a term, kept unwrapped for its explanation.
constexpr char kTermTipProperty[] = "tarnixTermTip";

// Room the tool tip window keeps around its text.
constexpr int kTipPadding = 12;

bool IsTerm(const QObject* widget)
{
    return widget->property(kTermTipProperty).isValid();
}

QString WrapLine(const QString& line, const QFontMetrics& metrics, int width)
{
    QStringList lines;
    QString current;
    for (const QString& word : line.split(' '))
    {
        const QString candidate = current.isEmpty() ? word : current + ' ' + word;
        if (!current.isEmpty() && metrics.horizontalAdvance(candidate) > width)
        {
            lines << current;
            current = word;
        }
        else
        {
            current = candidate;
        }
    }
    lines << current;
    return lines.join('\n');
}

}  // namespace

QString WrapToolTip(const QString& tipText, int maxWidth)
{
    const QFontMetrics metrics(QToolTip::font());
    const QStringList lines = tipText.split('\n');
    // A first line above others is the tip's title: where the font is too wide
    // for it, the tip widens rather than breaking the title.
    const int title = lines.size() > 1 ? metrics.horizontalAdvance(lines.front()) : 0;
    const int width = std::max(maxWidth - kTipPadding, title);
    QStringList wrapped;
    for (const QString& line : lines)
        wrapped << WrapLine(line, metrics, width);
    return wrapped.join('\n');
}

CLabel* CWizardPage::AddTerm(const QString& term, const QString& tipText, const QRect& rect,
                             int tipWidth, int fontDivisor)
{
    const int size = font().pointSize() + font().pointSize() / fontDivisor;
    auto* label = AddLabel(term, rect, {size, 2, 0, kAccentColour});
    label->setToolTip(WrapToolTip(tipText, tipWidth));
    label->setProperty(kTermTipProperty, tipText);
    label->setFocusPolicy(Qt::StrongFocus);
    label->installEventFilter(this);
    ShowAsLink(label);
    return label;
}

void CWizardPage::LabelField(QLabel* caption, QWidget* field)
{
    QString name = caption->text().simplified();
    while (name.endsWith(':') || name.endsWith(' '))
        name.chop(1);
    field->setAccessibleName(name);
    // A control made of parts that take the focus (the address field): the
    // caption leads to the first part, and every part has the field's name.
    QList<QWidget*> parts;
    if (field->focusPolicy() == Qt::NoFocus)
        for (QWidget* part : field->findChildren<QWidget*>())
            if (part->focusPolicy() != Qt::NoFocus)
                parts << part;
    caption->setBuddy(parts.isEmpty() ? field : parts.front());
    for (QWidget* part : parts)
        part->setAccessibleName(name);
    if (auto* list = qobject_cast<QComboBox*>(field))
        DescribeByShownEntry(list);
}

// Readers find no value in Qt's closed list (its name is the entry shown,
// which they pass over for the caption, and its popup offers no selection
// to read), but they speak a focused control's description on focus: the
// list describes itself by the entry it shows, and tells of a new one.
void CWizardPage::DescribeByShownEntry(QComboBox* list)
{
    auto describe = [list] { Describe(list, list->currentText()); };
    connect(list, &QComboBox::currentIndexChanged, list, describe);
    describe();
    AnnounceEntryChanges(list);
}

void CWizardPage::MarkAsAlert(CLabel* label, QWidget* field)
{
    label->SetAlert(true, field);
}

void CWizardPage::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    LoadBackground();
    if (!std::exchange(m_initialFocusPlaced, true))
    {
        PutFrameButtonsLast();
        PlaceInitialFocus();
    }
}

// Tab reads the page's own controls first, in the order they were made, then
// PREV, NEXT and the bottom bar, and from Exit comes round to the first.
void CWizardPage::PutFrameButtonsLast()
{
    const QWidget* frameButtons[] = {m_prev,       m_next, m_support, m_troubleshooting,
                                     m_disclaimer, m_exit};
    auto isFrameButton = [&frameButtons](const QWidget* widget) {
        return std::find(std::begin(frameButtons), std::end(frameButtons), widget)
               != std::end(frameButtons);
    };
    QWidget* last = nullptr;
    for (QWidget* widget = nextInFocusChain(); widget && widget != this;
         widget = widget->nextInFocusChain())
        if (isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus
            && !isFrameButton(widget))
            last = widget;
    for (CxSkinButton* button :
         {m_prev, m_next, m_support, m_troubleshooting, m_disclaimer, m_exit})
        if (last && button)
        {
            setTabOrder(last, button);
            last = button;
        }
}

// A page opens on the field its constructor chose or its first field, else on
// its forward button; never on PREV, Exit, the bar or a link, where Enter
// would do what the user did not ask for.
void CWizardPage::PlaceInitialFocus()
{
    const QWidget* chosen = focusWidget();
    if (chosen && (IsField(chosen) || chosen == ForwardButton()))
        return;
    if (QWidget* first = FirstField())
        first->setFocus(Qt::OtherFocusReason);
    else if (CxSkinButton* forward = ForwardButton())
        forward->setFocus(Qt::OtherFocusReason);
}

// Fields are what Tab reaches that is not a skinned button.
bool CWizardPage::IsField(const QWidget* widget) const
{
    return widget != this && isAncestorOf(widget) && widget->isVisibleTo(this)
           && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus
           && !qobject_cast<const CxSkinButton*>(widget) && !IsTerm(widget);
}

QWidget* CWizardPage::FirstField() const
{
    for (QWidget* widget = nextInFocusChain(); widget && widget != this;
         widget = widget->nextInFocusChain())
        if (IsField(widget))
            return widget;
    return nullptr;
}

bool CWizardPage::focusNextPrevChild(bool next)
{
    if (isWindow())
        return QDialog::focusNextPrevChild(next);
    // Tab goes round this page only: a page shown beneath a see-through one
    // is out of reach.
    QWidget* start = QApplication::focusWidget();
    if (!isAncestorOf(start))
        start = this;
    QWidget* candidate = start;
    do
    {
        candidate = next ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        const bool takesTab = (candidate->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
        if (isAncestorOf(candidate) && takesTab && candidate->isVisible() && candidate->isEnabled())
        {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    } while (candidate != start);
    return false;
}

bool CWizardPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && IsTerm(watched))
    {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
        {
            ExplainTerm(static_cast<const CLabel*>(watched));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// The tip's title line is the message's caption, the rest its text.
void CWizardPage::ExplainTerm(const CLabel* term)
{
    const QString tip = term->property(kTermTipProperty).toString();
    const qsizetype lineBreak = tip.indexOf('\n');
    const QString caption = lineBreak < 0 ? term->text() : tip.left(lineBreak).trimmed();
    WizardEffects().ShowMessage(this, tip.mid(lineBreak + 1), caption, QMessageBox::NoIcon,
                                QMessageBox::Ok);
}

void CWizardPage::keyPressEvent(QKeyEvent* event)
{
    // Escape would end the page without PREV's or the close box's meaning.
    if (event->key() == Qt::Key_Escape)
    {
        event->accept();
        return;
    }
    // Enter that no field took for itself presses the forward button, as a
    // default button would.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    CxSkinButton* forward = ForwardButton();
    if (enter && forward && forward->isVisible() && forward->isEnabled())
    {
        event->accept();
        forward->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void SetReadingOrder(const CWizardPage& page, const QList<QWidget*>& fields)
{
    QList<QWidget*> order = fields;
    const QList<QWidget*> frameButtons = {page.PrevButton(),
                                          page.NextButton(),
                                          page.TechnicalSupportButton(),
                                          page.TroubleshootingButton(),
                                          page.DisclaimerButton(),
                                          page.ExitButton()};
    for (QWidget* button : frameButtons)
        if (button)
            order << button;
    for (qsizetype index = 1; index < order.size(); ++index)
        QWidget::setTabOrder(order[index - 1], order[index]);
    if (!fields.isEmpty())
        fields.front()->setFocus(Qt::OtherFocusReason);
}
