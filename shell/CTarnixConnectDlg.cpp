#include "CTarnixConnectDlg.h"

#include "CLabel.h"
#include "CxSkinButton.h"
#include "PrimeRouterLink.h"
#include "UnfinishedSetup.h"
#include "WizardSession.h"

#include <QComboBox>

namespace {

// Texts and buttons in the left part of the panel; the router picture is on
// the right. START sits at the panel's right edge, under it.
constexpr QRect kWelcomeTextRect{60, 152, 350, 56};
constexpr QRect kLanguagePromptRect{60, 218, 220, 22};
constexpr QRect kLanguageListRect{60, 244, 200, 26};
constexpr QPoint kDocumentButtons[3] = {{60, 300}, {60, 342}, {60, 384}};
constexpr QRect kStartRect{590, 482, 170, 48};
// Under the document buttons, once after a run that was stopped midway.
constexpr QRect kUnfinishedSetupRect{60, 424, 350, 48};

}  // namespace

CTarnixConnectDlg::CTarnixConnectDlg(QWidget* parent)
    : CWizardPage(PageFrame{.Id = PageId::Welcome,
                            .Background = kBackground,
                            .Heading = "Welcome",
                            .HasPrevNext = false},
                  parent)
{
    PrimeRouterLink(WizardSession::Current().Link);
    BuildBody();
}

void CTarnixConnectDlg::BuildBody()
{
    AddLabel("Welcome to the Tarnix Setup Wizard, this will guide you through the steps "
             "required to set up your Tarnix router.",
             kWelcomeTextRect, kBodyStyle);
    CLabel* prompt = AddLabel("Select your language:", kLanguagePromptRect, {10, 1, 0, Qt::black});
    m_language = new QComboBox(this);
    m_language->setGeometry(kLanguageListRect);
    LabelField(prompt, m_language);
    m_language->addItem("English");
    m_language->setCurrentIndex(0);
    // Made in reading order, so Tab follows the eye: the list, the document
    // buttons under it, then START.
    m_documents = AddDocumentButtons(kDocumentButtons);
    if (TakeUnfinishedSetupMark())
        AddLabel(kUnfinishedSetupText, kUnfinishedSetupRect, kBoldBodyStyle);

    m_start = AddSkinButton("START", kStartRect,
                            FacesPressedOver("pic/BUTTON/start1.bmp", "pic/BUTTON/start2.bmp"));
    m_start->setFont(EnlargedFont(3));
    connect(m_start, &QAbstractButton::clicked, this, [this] { OpenNext(FlowChoice::Next); });
    // The page opens on the language list; Enter there presses START.
    SetForwardButton(m_start);
}

void CTarnixConnectDlg::OnExit()
{
    // Closing the main window is the end of the program.
    if (AskExitQuestion())
        reject();
}
