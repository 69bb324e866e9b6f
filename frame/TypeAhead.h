#pragma once
// While a page waits on the router its controls take no input. What the user
// types meanwhile (often the password the page that follows asks for) goes to
// a masked field of the window's own, so a screen reader echoes no character
// of it, and is handed to the text field that has the focus once the wait is
// over and the page that follows has opened.

#include <QPointer>

class QLineEdit;
class QWidget;

class CTypeAhead
{
public:
    // Takes the keyboard focus from page; nothing when page is a window of its own.
    explicit CTypeAhead(QWidget* page);
    // Gives the focus back and hands on what was typed.
    ~CTypeAhead();

    CTypeAhead(const CTypeAhead&) = delete;
    CTypeAhead& operator=(const CTypeAhead&) = delete;

private:
    QPointer<QLineEdit> m_holder;
    QPointer<QWidget> m_focused;
};
