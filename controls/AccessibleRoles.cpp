#include "AccessibleRoles.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

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

}  // namespace

void HideFromAssistiveTechnology(QWidget* widget)
{
    SetRole(widget, QAccessible::Graphic);
}

void ShowAsAlert(QLabel* label)
{
    SetRole(label, QAccessible::AlertMessage);
}
