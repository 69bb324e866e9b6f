#include "CCreatePasswordDlg.h"

#include "ApplyPreflight.h"
#include "CLabel.h"
#include "InputChecks.h"
#include "RouterDefaults.h"
#include "WizardOptions.h"
#include "WizardSession.h"
#include "WizardSettings.h"

#include <QLineEdit>

namespace {

constexpr QRect kExplanationRect{56, 152, 680, 80};
constexpr QRect kPasswordCaptionRect{56, 226, 180, 20};
constexpr QRect kPasswordFieldRect{240, 220, 220, 26};
constexpr QRect kPasswordErrorRect{476, 226, 120, 20};
constexpr int kRowStep = 44;

QRect NextRow(const QRect& rect)
{
    return rect.translated(0, kRowStep);
}

}  // namespace

CCreatePasswordDlg::CCreatePasswordDlg(QWidget* owner)
    : CRunningTextPage(PageFrame{.Id = PageId::CreatePassword,
                                 .Background = "pic/BG/2410.gif",
                                 .QuickBackground = "pic/BG/3170.gif",
                                 .Heading = "Now let's create a password for your router",
                                 .ExitPressedLooksNormal = true},
                       owner)
{
    AddRunningText(
        {PlainRun("You will need a password to access the router's"),
         TermRun("Advanced User Interface",
                 "Advanced User Interface\nThe Advanced User Interface is where you can change or "
                 "add settings on your router. It is accessible through a web browser, the "
                 "address to access this is in your Quick Installation Guide.",
                 423),
         PlainRun("(also known as the UI) to make any changes to your settings. This password "
                  "will allow you to access your router securely.")},
        kExplanationRect);

    const QString invalid = QString::fromUtf8(CheckMessageText(CheckMessage::InvalidNewPassword));
    CLabel* passwordCaption = AddLabel("Create a password:", kPasswordCaptionRect, kBoldBodyStyle);
    m_password = AddLineEdit(kPasswordFieldRect, true);
    LabelField(passwordCaption, m_password);
    m_passwordError = AddLabel(invalid, kPasswordErrorRect, kErrorStyle);
    CLabel* reenteredCaption = AddLabel("Re-enter your password:", NextRow(kPasswordCaptionRect),
                                        kBoldBodyStyle);
    m_reentered = AddLineEdit(NextRow(kPasswordFieldRect), true);
    LabelField(reenteredCaption, m_reentered);
    m_reenteredError = AddLabel(invalid, NextRow(kPasswordErrorRect), kErrorStyle);
    m_passwordError->hide();
    m_reenteredError->hide();
    MarkAsAlert(m_passwordError, m_password);
    MarkAsAlert(m_reenteredError, m_reentered);
    m_password->setFocus();
}

void CCreatePasswordDlg::OnNext()
{
    const QString password = m_password->text();
    if (CheckNewRouterPassword(password.toStdString(), m_reentered->text().toStdString())
        != CheckMessage::None)
    {
        ShowInvalid();
        return;
    }
    // The apply run could not send it; say so now, with what was typed kept.
    const CarryCheck carried = CheckRouterPasswordsCarriable(
        kFactoryPassword, password.toStdString(), ConfiguredRouterAddress());
    if (!carried.Carried())
    {
        ShowPlainMessage(QString::fromStdString(CarryMessage(carried)), QMessageBox::Warning);
        return;
    }
    WizardSettings& settings = WizardSession::Current().Settings;
    settings.NewRouterPasswordW = password.toStdU16String();
    settings.PasswordChangeRequested = true;
    settings.RouterPassword = kFactoryPassword;
    settings.NewRouterPassword = password.toStdString();
    m_passwordError->hide();
    m_reenteredError->hide();
    OpenNext(FlowChoice::Next);
}

void CCreatePasswordDlg::OnPrev()
{
    OpenNext(FlowChoice::Prev);
}

void CCreatePasswordDlg::ShowInvalid()
{
    m_passwordError->show();
    m_reenteredError->show();
    m_password->clear();
    m_reentered->clear();
    m_password->setFocus();
    m_password->setCursorPosition(0);
}
