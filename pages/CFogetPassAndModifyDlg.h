#pragma once
// The existing-password page, for a router that refuses the factory login:
// the user enters the password the router has, and may change it at once.
// Its NEXT logs in with that password; with "I want to change my password"
// ticked it also sends the change and logs in with the new password.

#include "CRunningTextPage.h"

#include <array>
#include <initializer_list>
#include <string>

class CLabel;
class QCheckBox;
class QLineEdit;

// The fields of WizardSettings this page writes.
struct PasswordFields
{
    bool ChangeRequested = false;
    std::string RouterPassword;
    std::string NewRouterPassword;
};

inline constexpr char kPasswordChangeRefusedMessage[] =
    "The router did not accept the new password, so your password has not been changed. "
    "Please try again.";
inline constexpr char kCheckCableMessage[] =
    "Please check the ethernet cable connected and power on";

class CFogetPassAndModifyDlg : public CRunningTextPage
{
    Q_OBJECT

public:
    // The three password fields, top to bottom.
    enum Field
    {
        Existing,
        New,
        Confirmation,
    };

    explicit CFogetPassAndModifyDlg(QWidget* owner);

    QLineEdit* PasswordField(Field field) const { return m_fields.at(field); }
    CLabel* ErrorLabel(Field field) const { return m_errors.at(field); }
    QCheckBox* ChangeCheckBox() const { return m_change; }
    CxSkinButton* ForgotPasswordButton() const { return m_forgot; }

protected:
    void OnNext() override;

private:
    void BuildTexts();
    void AddPasswordRow(Field field, const QString& caption, int top);
    void ShowChangeFields(bool shown);
    // True (and the user told) when the router link could not carry the
    // passwords; nothing is sent then.
    bool RefuseUncarried(const std::string& existing, const std::string& newPassword);
    void NextWithChange(const std::string& existing, const std::string& newPassword,
                        const std::string& confirmation, const PasswordFields& before);
    void NextWithoutChange(const std::string& existing);
    void ShowInvalid(std::initializer_list<Field> fields);

    std::array<QLineEdit*, 3> m_fields{};
    std::array<CLabel*, 3> m_errors{};
    std::array<CLabel*, 3> m_captions{};
    CxSkinButton* m_forgot = nullptr;
    QCheckBox* m_change = nullptr;
};
