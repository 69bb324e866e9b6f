#include "TypeAhead.h"

#include "AccessibleRoles.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

namespace {

// Posted, so it reaches the page opened after the wait, not the one waiting.
void HandOn(const QString& typed)
{
    QTimer::singleShot(0, qApp, [typed] {
        auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        if (field && field->isEnabled() && !field->isReadOnly())
            field->insert(typed);
    });
}

}  // namespace

CTypeAhead::CTypeAhead(QWidget* page) : m_focused(QApplication::focusWidget())
{
    QWidget* window = page ? page->window() : nullptr;
    if (!window || window == page)
        return;
    m_holder = new QLineEdit(window);
    m_holder->setAccessibleName("Please wait");
    KeepSecretFromAssistiveTechnology(m_holder);
    // Under the page, out of sight; it must be shown to hold the focus.
    m_holder->setGeometry(0, 0, 1, 1);
    m_holder->lower();
    m_holder->show();
    m_holder->setFocus(Qt::OtherFocusReason);
}

CTypeAhead::~CTypeAhead()
{
    if (!m_holder)
        return;
    const QString typed = m_holder->text();
    if (m_holder->hasFocus() && m_focused && m_focused->isEnabled())
        m_focused->setFocus(Qt::OtherFocusReason);
    delete m_holder;
    if (!typed.isEmpty())
        HandOn(typed);
}
