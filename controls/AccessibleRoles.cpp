#include "AccessibleRoles.h"

#include "AccessibleText.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTextEdit>

#include <utility>

namespace {

constexpr char kRoleProperty[] = "tarnixAccessibleRole";

class RoleAccessible : public QAccessibleWidget
{
public:
    RoleAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    QString text(QAccessible::Text text) const override
    {
        const auto* label = qobject_cast<const QLabel*>(widget());
        if (text == QAccessible::Name && label && widget()->accessibleName().isEmpty())
            return label->text();
        return QAccessibleWidget::text(text);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (role() == QAccessible::Graphic)
            state.invisible = true;
        return state;
    }
};

QAccessibleInterface* RoleFactory(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    const QVariant role = widget ? widget->property(kRoleProperty) : QVariant();
    if (!role.isValid())
        return nullptr;
    if (auto* view = qobject_cast<QTextEdit*>(widget);
        view && role.toInt() == QAccessible::Document)
        return MakeDocumentAccessible(view);
    if (auto* field = qobject_cast<QLineEdit*>(widget))
        return MakeFieldAccessible(field);
    return new RoleAccessible(widget, QAccessible::Role(role.toInt()));
}

void SetRole(QWidget* widget, QAccessible::Role role)
{
    static const bool installed = [] {
        QAccessible::installFactory(&RoleFactory);
        return true;
    }();
    Q_UNUSED(installed);
    widget->setProperty(kRoleProperty, int(role));
    // Qt may have made the widget's accessible object already (a label does
    // when its text is set); the next query makes it anew with the role.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

bool IsMasked(const QAccessibleEvent* event)
{
    const auto* field = qobject_cast<const QLineEdit*>(event->object());
    return field && field->echoMode() != QLineEdit::Normal;
}

QString Bullets(const QString& text)
{
    return QString(text.size(), QChar(0x2022));
}

void UpdateForReaders(QAccessibleEvent* event);

// The handler that was there before (none: the platform's bridge).
QAccessible::UpdateHandler& NextHandler()
{
    static QAccessible::UpdateHandler next = nullptr;
    return next;
}

// Hands an event on as Qt would have without this handler.
void Forward(QAccessibleEvent* event)
{
    if (QAccessible::UpdateHandler next = NextHandler())
        return next(event);
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(&UpdateForReaders);
}

void InstallUpdateHandler()
{
    static const bool installed = [] {
        NextHandler() = QAccessible::installUpdateHandler(&UpdateForReaders);
        return true;
    }();
    Q_UNUSED(installed);
}

// Qt's line edit reports the characters typed into a masked field in its
// text-change events, although it keeps them from text queries.
void UpdateWithoutSecrets(QAccessibleEvent* event)
{
    if (!IsMasked(event))
        return Forward(event);
    QAccessibleInterface* face = event->accessibleInterface();
    switch (event->type())
    {
    case QAccessible::TextInserted:
    {
        const auto* inserted = static_cast<QAccessibleTextInsertEvent*>(event);
        QAccessibleTextInsertEvent masked(face, inserted->changePosition(),
                                          Bullets(inserted->textInserted()));
        return Forward(&masked);
    }
    case QAccessible::TextRemoved:
    {
        const auto* removed = static_cast<QAccessibleTextRemoveEvent*>(event);
        QAccessibleTextRemoveEvent masked(face, removed->changePosition(),
                                          Bullets(removed->textRemoved()));
        return Forward(&masked);
    }
    case QAccessible::TextUpdated:
    {
        const auto* updated = static_cast<QAccessibleTextUpdateEvent*>(event);
        QAccessibleTextUpdateEvent masked(face, updated->changePosition(),
                                          Bullets(updated->textRemoved()),
                                          Bullets(updated->textInserted()));
        return Forward(&masked);
    }
    default: return Forward(event);
    }
}

// The control readers were last told has the focus, and whether that was
// told ahead of Qt.
QPointer<QObject> g_focusTold;
bool g_toldAhead = false;

// A field taking the focus tells of its caret and selection before Qt tells
// of the focus; a reader then moves to the field in silence and the field's
// name is never spoken. The focus is told first, and Qt's telling passed over.
void UpdateForReaders(QAccessibleEvent* event)
{
    QObject* object = event->object();
    if (event->type() == QAccessible::Focus)
    {
        const bool told = std::exchange(g_toldAhead, false) && object == g_focusTold;
        g_focusTold = object;
        if (told)
            return;
    }
    const bool caret = event->type() == QAccessible::TextCaretMoved
                       || event->type() == QAccessible::TextSelectionChanged;
    const auto* widget = qobject_cast<const QWidget*>(object);
    // A field losing the focus drops its selection; a reader would say
    // "unselected" of the field it has just left.
    if (event->type() == QAccessible::TextSelectionChanged && widget && !widget->hasFocus())
        return;
    if (caret && widget && widget->hasFocus() && object != g_focusTold)
    {
        QAccessibleEvent focus(object, QAccessible::Focus);
        Forward(&focus);
        g_focusTold = object;
        g_toldAhead = true;
    }
    UpdateWithoutSecrets(event);
}

// Qt tells of a closed list's new entry only as a change of the list's name,
// which readers pass over for a list, and of its selection, which Qt does not
// let them read. An open list's entries take the focus themselves.
void TellEntryFocused(QComboBox* list)
{
    if (!QAccessible::isActive() || !list->hasFocus() || list->view()->isVisible()
        || list->currentIndex() < 0)
        return;
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(list->view());
    QAccessibleTableInterface* entries = view ? view->tableInterface() : nullptr;
    QAccessibleInterface* entry = entries
                                      ? entries->cellAt(list->currentIndex(), list->modelColumn())
                                      : nullptr;
    if (!entry)
        return;
    QAccessibleEvent focus(entry, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

}  // namespace

void AnnounceEntryChanges(QComboBox* list)
{
    QObject::connect(list, &QComboBox::currentIndexChanged, list,
                     [list] { TellEntryFocused(list); });
}

void KeepSecretFromAssistiveTechnology(QLineEdit* field)
{
    InstallUpdateHandler();
    field->setEchoMode(QLineEdit::Password);
}

void HideFromAssistiveTechnology(QWidget* widget)
{
    SetRole(widget, QAccessible::Graphic);
}

void ShowAsHeading(QLabel* label)
{
    SetRole(label, QAccessible::Heading);
}

void ShowAsText(QWidget* widget, const QString& text)
{
    widget->setAccessibleName(text);
    SetRole(widget, QAccessible::StaticText);
}

void ShowAsField(QLineEdit* field)
{
    InstallUpdateHandler();
    SetRole(field, QAccessible::EditableText);
}

void ShowAsDocument(QTextEdit* view)
{
    InstallUpdateHandler();
    SetRole(view, QAccessible::Document);
}

void ShowAsLink(QLabel* label)
{
    SetRole(label, QAccessible::Link);
}

void ShowAsNotice(QLabel* label)
{
    SetRole(label, QAccessible::Notification);
}

// Readers speak a notification as it is shown.
void AnnounceNotice(QLabel* label)
{
    QAccessibleEvent shown(label, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

void Describe(QWidget* widget, const QString& description)
{
    widget->setAccessibleDescription(description);
    QAccessibleEvent changed(widget, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

// Readers speak a notification as it is shown; an alert they leave to a
// window that comes up.
void ShowAsAlert(QLabel* label)
{
    SetRole(label, QAccessible::Notification);
}
