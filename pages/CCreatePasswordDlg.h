#pragma once
// The create-password page, for a router that still takes its factory
// login: the user chooses the administrator password that the apply run
// sets later. Nothing is sent to the router from here.

#include "CRunningTextPage.h"

class CLabel;
class QLineEdit;

class CCreatePasswordDlg : public CRunningTextPage
{
    Q_OBJECT

public:
    explicit CCreatePasswordDlg(QWidget* owner);

    QLineEdit* PasswordField() const { return m_password; }
    QLineEdit* ReenteredField() const { return m_reentered; }
    CLabel* PasswordError() const { return m_passwordError; }
    CLabel* ReenteredError() const { return m_reenteredError; }

protected:
    void OnNext() override;
    // Opens a new install mode page above this one, whichever way the user came.
    void OnPrev() override;

private:
    void ShowInvalid();

    QLineEdit* m_password = nullptr;
    QLineEdit* m_reentered = nullptr;
    CLabel* m_passwordError = nullptr;
    CLabel* m_reenteredError = nullptr;
};
