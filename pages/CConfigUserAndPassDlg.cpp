#include "CConfigUserAndPassDlg.h"

#include "ConnectionLayout.h"
#include "InputChecks.h"
#include "WizardSession.h"
#include "WizardSettings.h"

#include <QLineEdit>

namespace {

constexpr QRect kInstructionsRect{60, 148, 680, 64};
constexpr int kFirstRowTop = 236;
constexpr int kRowPitch = 44;
constexpr int kRowHeight = 24;

QRect RowRect(int row, int left, int width)
{
    return QRect(left, kFirstRowTop + row * kRowPitch, width, kRowHeight);
}

}  // namespace

CConfigUserAndPassDlg::CConfigUserAndPassDlg(QWidget* owner)
    : CWizardPage(PageFrame{.Id = PageId::IspAccount,
                            .Background = "pic/BG/2510.gif",
                            .Heading = "Now tell us your internet Service Provider details.",
                            .Subject = "user name and password",
                            .ExitPressedLooksNormal = true},
                  owner)
{
    AddLabel("Please enter your Username and Password as provided by your ISP (Internet Service "
             "Provider). Please enter the information exactly as shown taking note of upper and "
             "lower cases. Click \"Next\" to continue.",
             kInstructionsRect);
    m_userName = AddRow(0, "Username:", false);
    m_password = AddRow(1, "Password:", true);
    m_confirmation = AddRow(2, "Confirm Password :", true);
    m_userNameError = AddError(0, CheckText(CheckMessage::InvalidUserName), m_userName);
    m_passwordError = AddError(1, CheckText(CheckMessage::PasswordsDoNotMatch), m_password);
    m_confirmationError = AddError(2, CheckText(CheckMessage::PasswordsDoNotMatch), m_confirmation);
    SetReadingOrder(*this, {m_userName, m_password, m_confirmation});
}

QLineEdit* CConfigUserAndPassDlg::AddRow(int row, const QString& caption, bool masked)
{
    CLabel* label = AddLabel(caption, RowRect(row, 60, 200).translated(0, kCaptionDrop),
                             kBoldBodyStyle);
    QLineEdit* field = AddLineEdit(RowRect(row, 270, 230), masked);
    LabelField(label, field);
    return field;
}

CLabel* CConfigUserAndPassDlg::AddError(int row, const QString& text, QWidget* field)
{
    CLabel* label = AddLabel(text, RowRect(row, 510, 230).translated(0, kCaptionDrop), kErrorStyle);
    label->hide();
    MarkAsAlert(label, field);
    return label;
}

void CConfigUserAndPassDlg::ClearAndFocus(QLineEdit* field)
{
    field->clear();
    field->setFocus(Qt::OtherFocusReason);
    field->setCursorPosition(0);
}

void CConfigUserAndPassDlg::OnNext()
{
    const std::string userName = m_userName->text().toStdString();
    const std::string password = m_password->text().toStdString();
    switch (CheckIspAccount(userName, password, m_confirmation->text().toStdString()))
    {
    case CheckMessage::InvalidUserName:
        m_userNameError->show();
        ClearAndFocus(m_userName);
        return;
    case CheckMessage::PasswordsDoNotMatch:
        m_passwordError->show();
        m_confirmationError->show();
        m_confirmation->clear();
        ClearAndFocus(m_password);
        return;
    default: break;
    }
    WizardSettings& settings = WizardSession::Current().Settings;
    settings.PppUserName = userName;
    settings.PppPassword = password;
    for (CLabel* error : {m_userNameError, m_passwordError, m_confirmationError})
        error->hide();
    OpenNext(FlowChoice::Next);
}
