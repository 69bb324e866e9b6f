#include "CFogetPassAndModifyDlg.h"

#include "ApplyPreflight.h"
#include "CIpLink.h"
#include "CLabel.h"
#include "InputChecks.h"
#include "PrimeRouterLink.h"
#include "RunWithoutFreezing.h"
#include "WizardOptions.h"
#include "WizardSession.h"
#include "WizardSettings.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

constexpr QRect kExplanationRect{56, 152, 680, 40};
constexpr int kCaptionLeft = 56;
constexpr int kFieldLeft = 240;
constexpr int kErrorLeft = 476;
constexpr QSize kCaptionSize{180, 20};
constexpr QSize kFieldSize{220, 26};
constexpr QSize kErrorSize{120, 20};
constexpr int kExistingTop = 208;
constexpr QRect kReminderRect{56, 248, 680, 20};
constexpr QRect kChangeBoxRect{56, 280, 300, 22};
constexpr int kNewTop = 320;
constexpr int kConfirmationTop = 360;

PasswordFields ReadPasswordFields(const WizardSettings& settings)
{
    return {settings.PasswordChangeRequested, settings.RouterPassword, settings.NewRouterPassword};
}

void WritePasswordFields(WizardSettings& settings, const PasswordFields& fields)
{
    settings.PasswordChangeRequested = fields.ChangeRequested;
    settings.RouterPassword = fields.RouterPassword;
    settings.NewRouterPassword = fields.NewRouterPassword;
}

// One login with the password the user typed; the page keeps painting.
LoginVerdict LogInOnce(CWizardPage* page, CIpLink& link)
{
    return RunRouterCall(page, link, [&link] { return LoginRouterLinkOnce(link); });
}

}  // namespace

CFogetPassAndModifyDlg::CFogetPassAndModifyDlg(QWidget* owner)
    : CRunningTextPage(PageFrame{.Id = PageId::ExistingPassword,
                                 .Background = "pic/BG/2410.gif",
                                 .QuickBackground = "pic/BG/3170.gif",
                                 .Heading = "Your router already has a password"},
                       owner)
{
    BuildTexts();
    m_change = AddCheckBox(kChangeBoxRect, "I want to change my password");
    QPalette accent = m_change->palette();
    accent.setColor(QPalette::WindowText, kAccentColour);
    m_change->setPalette(accent);
    connect(m_change, &QCheckBox::toggled, this, &CFogetPassAndModifyDlg::ShowChangeFields);
    AddPasswordRow(New, "New password:", kNewTop);
    AddPasswordRow(Confirmation, "Confirm password:", kConfirmationTop);
    ShowChangeFields(false);
    m_fields[Existing]->setFocus();
}

void CFogetPassAndModifyDlg::BuildTexts()
{
    AddRunningText(
        {PlainRun("A password that you have previously created for your router has "
                  "been detected. Please enter this existing password below, then click"),
         PlainRun("NEXT", kBoldBodyStyle)},
        kExplanationRect);
    AddPasswordRow(Existing, "Enter your password:", kExistingTop);

    const TextFlowEnd end = AddRunningText(
        {PlainRun("If you do not remember your password click on ")}, kReminderRect);
    const QString forgot = "Forgot Password";
    m_forgot = AddSkinButton(forgot, QRect(), ButtonFaces{});
    QFont linkFont = m_forgot->font();
    linkFont.setFamilies({"Arial", "Liberation Sans"});
    linkFont.setPointSize(kBoldBodyStyle.Size);
    linkFont.setBold(true);
    linkFont.setUnderline(true);
    m_forgot->setFont(linkFont);
    m_forgot->SetTextColor(kAccentColour);
    // A link, not a button: nothing drawn behind the text.
    QPalette seeThrough = m_forgot->palette();
    seeThrough.setColor(QPalette::Button, Qt::transparent);
    m_forgot->setPalette(seeThrough);
    m_forgot->setCursor(Qt::PointingHandCursor);
    const QFontMetrics metrics(linkFont);
    // Right where the sentence ends, with room around the caption for the
    // button's text inset and its keyboard focus cue.
    m_forgot->setGeometry(end.LineEnd.x() - 4, end.LineEnd.y() - 3,
                          metrics.horizontalAdvance(forgot) + 8, end.LineHeight + 6);
    connect(m_forgot, &QAbstractButton::clicked, this,
            [this] { OpenNext(FlowChoice::ForgotPassword); });
}

void CFogetPassAndModifyDlg::AddPasswordRow(Field field, const QString& caption, int top)
{
    m_captions[field] = AddLabel(caption, QRect(QPoint(kCaptionLeft, top + 6), kCaptionSize),
                                 kBoldBodyStyle);
    m_fields[field] = AddLineEdit(QRect(QPoint(kFieldLeft, top), kFieldSize), true);
    LabelField(m_captions[field], m_fields[field]);
    m_errors[field] = AddLabel(QString::fromUtf8(CheckMessageText(CheckMessage::InvalidPassword)),
                               QRect(QPoint(kErrorLeft, top + 6), kErrorSize), kErrorStyle);
    m_errors[field]->hide();
    MarkAsAlert(m_errors[field], m_fields[field]);
}

void CFogetPassAndModifyDlg::ShowChangeFields(bool shown)
{
    for (Field field : {New, Confirmation})
    {
        m_captions[field]->setVisible(shown);
        m_fields[field]->setVisible(shown);
        if (!shown)
            m_errors[field]->hide();
    }
}

void CFogetPassAndModifyDlg::OnNext()
{
    const std::string existing = m_fields[Existing]->text().toStdString();
    const std::string newPassword = m_fields[New]->text().toStdString();
    WizardSession& session = WizardSession::Current();
    PrimeRouterLink(session.Link, existing);

    // Written before the checks: the password change request reads them.
    WizardSettings& settings = session.Settings;
    const PasswordFields before = ReadPasswordFields(settings);
    WritePasswordFields(settings, {m_change->isChecked(), existing, newPassword});

    if (m_change->isChecked())
        NextWithChange(existing, newPassword, m_fields[Confirmation]->text().toStdString(), before);
    else
        NextWithoutChange(existing);
}

bool CFogetPassAndModifyDlg::RefuseUncarried(const std::string& existing,
                                             const std::string& newPassword)
{
    const CarryCheck carried = CheckRouterPasswordsCarriable(existing, newPassword,
                                                             ConfiguredRouterAddress());
    if (carried.Carried())
        return false;
    ShowPlainMessage(QString::fromStdString(CarryMessage(carried)), QMessageBox::Warning);
    return true;
}

void CFogetPassAndModifyDlg::NextWithChange(const std::string& existing,
                                            const std::string& newPassword,
                                            const std::string& confirmation,
                                            const PasswordFields& before)
{
    // Only a change the page would send is judged; anything else takes the
    // page's own road below.
    if (CheckRouterPasswordConfirmation(newPassword, confirmation) == CheckMessage::None
        && RefuseUncarried(existing, newPassword))
        return;
    WizardSession& session = WizardSession::Current();
    const LoginVerdict login = LogInOnce(this, session.Link);
    if (Ended())
        return;  // closed meanwhile: the password stays as it is
    if (login == LoginVerdict::NoAnswer)
    {
        ShowPlainMessage(kRouterNoAnswerText, QMessageBox::Warning);
        return;
    }
    if (login == LoginVerdict::Refused
        || CheckRouterPasswordConfirmation(newPassword, confirmation) != CheckMessage::None)
    {
        ShowInvalid({Existing, New, Confirmation});
        return;
    }
    if (RunRouterCall(this, session.Link,
                      [&session] { return session.Link.ChangeRouterPassword(); })
        != 0)
    {
        // Nothing changed on the router, so nothing is kept; the fields keep
        // what the user typed for another try.
        WritePasswordFields(session.Settings, before);
        if (!Ended())
            ShowPlainMessage(kPasswordChangeRefusedMessage, QMessageBox::Warning);
        return;
    }
    // The router has the new password now: the apply run must log in with it
    // and must not send the change again.
    session.Settings.RouterPassword = newPassword;
    session.Settings.PasswordChangeRequested = false;
    session.Link.SetPassword(newPassword);
    const LoginVerdict relogin = LogInOnce(this, session.Link);
    if (Ended())
        return;
    if (relogin != LoginVerdict::Accepted)
    {
        ShowPlainMessage(kCheckCableMessage, QMessageBox::Warning);
        return;
    }
    for (CLabel* error : m_errors)
        error->hide();
    OpenNext(FlowChoice::Next);
}

void CFogetPassAndModifyDlg::NextWithoutChange(const std::string& existing)
{
    if (CheckExistingRouterPassword(existing) != CheckMessage::None)
    {
        ShowInvalid({Existing});
        return;
    }
    if (RefuseUncarried(existing, std::string()))
        return;
    const LoginVerdict login = LogInOnce(this, WizardSession::Current().Link);
    if (Ended())
        return;
    if (login == LoginVerdict::NoAnswer)
    {
        ShowPlainMessage(kRouterNoAnswerText, QMessageBox::Warning);
        return;
    }
    if (login == LoginVerdict::Refused)
    {
        ShowInvalid({Existing});
        return;
    }
    m_errors[Existing]->hide();
    OpenNext(FlowChoice::Next);
}

void CFogetPassAndModifyDlg::ShowInvalid(std::initializer_list<Field> fields)
{
    for (Field field : fields)
    {
        m_errors[field]->show();
        m_fields[field]->clear();
    }
    m_fields[Existing]->setFocus();
    m_fields[Existing]->setCursorPosition(0);
}
