#include "CQuicKOrFirstInstallDlg.h"

#include "CxSkinButton.h"
#include "PrimeRouterLink.h"
#include "RouterNetworkCheck.h"
#include "RunWithoutFreezing.h"
#include "WizardSession.h"
#include "WizardSettings.h"

#include <QRadioButton>

namespace {

constexpr char kRestoreWaitMessage[] =
    "You need to wait to wait 2-3 mins to restore the information";

// Three columns across the content panel: a picture button over its option.
constexpr int kColumnLeft[3] = {62, 295, 528};
constexpr QSize kPictureSize{210, 160};
constexpr int kPictureTop = 192;
constexpr int kOptionTop = 366;
constexpr QSize kOptionSize{210, 24};

struct ChoiceLook
{
    const char* Option;
    const char* Action;  // what the picture button does, for screen readers
    const char* NormalFace;
    const char* OverFace;
};
constexpr ChoiceLook kChoiceLooks[3] = {
    {"First install", "Start a first installation", "pic/BUTTON/first_install/first_install.bmp",
     "pic/BUTTON/first_install/first_install1.bmp"},
    {"Quick install", "Start a quick installation", "pic/BUTTON/quick_install/quick_install.bmp",
     "pic/BUTTON/quick_install/quick_install1.bmp"},
    {"Restore configuration", "Restore the wireless configuration",
     "pic/BUTTON/restore_congif/restore_congif.bmp",
     "pic/BUTTON/restore_congif/restore_congif1.bmp"},
};

}  // namespace

CQuicKOrFirstInstallDlg::CQuicKOrFirstInstallDlg(QWidget* owner)
    : CWizardPage(PageFrame{.Id = PageId::InstallMode,
                            .Background = "pic/BG/1100.gif",
                            .Heading = "How would you like to set up your router?"},
                  owner)
{
    BuildChoices();
    OptionButton(InstallChoice::FirstInstall)->setChecked(true);
    WizardSession::Current().ModePageWindow = this;
    // The create-password page is only ever shown after the factory login
    // succeeded, and its PREV is the one way back to a choice of mode: the
    // restore choice must be there, or no one could ever reach it.
    const auto* opener = qobject_cast<const CWizardPage*>(owner);
    if (opener && opener->Id() == PageId::CreatePassword)
        RevealRestoreOption();
}

CQuicKOrFirstInstallDlg::~CQuicKOrFirstInstallDlg()
{
    ForgetIfModePage();
}

void CQuicKOrFirstInstallDlg::BuildChoices()
{
    for (int index = 0; index < 3; ++index)
    {
        const auto choice = static_cast<InstallChoice>(index);
        const ChoiceLook& look = kChoiceLooks[index];
        m_pictures[index] = AddSkinButton(
            QString(), QRect(QPoint(kColumnLeft[index], kPictureTop), kPictureSize),
            FacesPressedOver(look.NormalFace, look.OverFace));
        m_pictures[index]->setAccessibleName(look.Action);
        m_options[index] = AddRadioButton(
            QRect(QPoint(kColumnLeft[index], kOptionTop), kOptionSize), look.Option);
        connect(m_options[index], &QRadioButton::clicked, this,
                [this, choice] { m_choice = choice; });
    }
    connect(m_pictures[0], &QAbstractButton::clicked, this,
            &CQuicKOrFirstInstallDlg::OnFirstInstall);
    connect(m_pictures[1], &QAbstractButton::clicked, this,
            &CQuicKOrFirstInstallDlg::OnQuickInstall);
    connect(m_pictures[2], &QAbstractButton::clicked, this,
            &CQuicKOrFirstInstallDlg::OnRestorePicture);
    m_options[2]->hide();
    m_pictures[2]->hide();
}

QRadioButton* CQuicKOrFirstInstallDlg::OptionButton(InstallChoice choice) const
{
    return m_options[static_cast<int>(choice)];
}

CxSkinButton* CQuicKOrFirstInstallDlg::PictureButton(InstallChoice choice) const
{
    return m_pictures[static_cast<int>(choice)];
}

void CQuicKOrFirstInstallDlg::RevealRestoreOption()
{
    m_options[2]->show();
    m_pictures[2]->show();
}

bool CQuicKOrFirstInstallDlg::IsRestoreOptionShown() const
{
    return !m_options[2]->isHidden() && !m_pictures[2]->isHidden();
}

void CQuicKOrFirstInstallDlg::RequestRestoreReveal()
{
    if (CQuicKOrFirstInstallDlg* page = WizardSession::Current().ModePageWindow)
        page->RevealRestoreOption();
}

void CQuicKOrFirstInstallDlg::OnNext()
{
    switch (m_choice)
    {
    case InstallChoice::FirstInstall: OnFirstInstall(); break;
    case InstallChoice::QuickInstall: OnQuickInstall(); break;
    case InstallChoice::Restore:
        if (ConfirmRouterNetwork(this))
            OpenNext(FlowChoice::Restore);
        break;
    }
}

void CQuicKOrFirstInstallDlg::OnFirstInstall()
{
    WizardSession::Current().Settings.FirstInstallPath = true;
    OpenNext(FlowChoice::FirstInstall);
}

void CQuicKOrFirstInstallDlg::OnQuickInstall()
{
    if (!ConfirmRouterNetwork(this))
        return;
    WizardSession& session = WizardSession::Current();
    session.Settings.FirstInstallPath = false;
    CIpLink& link = session.Link;
    PrimeRouterLink(link);
    const LoginVerdict login = RunRouterCall(this, link, [&link] { return LoginRouterLink(link); });
    if (Ended())
        return;
    if (login == LoginVerdict::NoAnswer)
    {
        // Nothing refused the factory password: asking for another would mislead.
        ShowPlainMessage(kRouterNoAnswerText, QMessageBox::Warning);
        return;
    }
    if (login == LoginVerdict::Refused)
    {
        // The router already has a password of the user's.
        OpenNext(FlowChoice::OwnPassword);
        return;
    }
    RevealRestoreOption();
    OpenNext(FlowChoice::FactoryPassword);
}

void CQuicKOrFirstInstallDlg::OnRestorePicture()
{
    if (!ConfirmRouterNetwork(this))
        return;
    ShowPlainMessage(kRestoreWaitMessage);
    OpenNext(FlowChoice::Restore);
}

void CQuicKOrFirstInstallDlg::done(int result)
{
    ForgetIfModePage();
    CWizardPage::done(result);
}

void CQuicKOrFirstInstallDlg::ForgetIfModePage()
{
    WizardSession& session = WizardSession::Current();
    if (session.ModePageWindow == this)
        session.ModePageWindow = nullptr;
}
