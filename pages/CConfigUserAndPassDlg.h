#pragma once
// The ISP account page: the user name and password of a PPP connection.
// Errors show as labels beside the fields, which stay shown until a NEXT
// succeeds. NEXT opens the wireless page.

#include "CWizardPage.h"

class QLineEdit;

class CConfigUserAndPassDlg : public CWizardPage
{
    Q_OBJECT

public:
    explicit CConfigUserAndPassDlg(QWidget* owner);

    QLineEdit* UserNameField() const { return m_userName; }
    QLineEdit* PasswordField() const { return m_password; }
    QLineEdit* ConfirmationField() const { return m_confirmation; }
    CLabel* UserNameError() const { return m_userNameError; }
    CLabel* PasswordError() const { return m_passwordError; }
    CLabel* ConfirmationError() const { return m_confirmationError; }

protected:
    void OnNext() override;

private:
    QLineEdit* AddRow(int row, const QString& caption, bool masked);
    CLabel* AddError(int row, const QString& text, QWidget* field);
    static void ClearAndFocus(QLineEdit* field);

    QLineEdit* m_userName = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_confirmation = nullptr;
    CLabel* m_userNameError = nullptr;
    CLabel* m_passwordError = nullptr;
    CLabel* m_confirmationError = nullptr;
};
