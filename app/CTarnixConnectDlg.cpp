#include "CTarnixConnectDlg.h"

#include "CLabel.h"
#include "CxSkinButton.h"
#include "RouterDefaults.h"

#include <QComboBox>

namespace {

PageFrame WelcomeFrame()
{
    PageFrame frame;
    frame.Id = PageId::Welcome;
    frame.Background = "pic/BG/1000.gif";
    frame.Heading = "Welcome";
    frame.HasPrevNext = false;
    frame.Movable = true;
    return frame;
}

constexpr QRect kWelcomeTextRect{40, 140, 460, 60};
constexpr QRect kLanguagePromptRect{40, 214, 220, 22};
constexpr QRect kLanguageListRect{40, 240, 200, 26};

}  // namespace

CTarnixConnectDlg::CTarnixConnectDlg(QWidget* parent) : CWizardPage(WelcomeFrame(), parent)
{
    PrimeRouterLink();
    BuildBody();
    m_documents = AddDocumentButtons();
}

void CTarnixConnectDlg::BuildBody()
{
    AddLabel("Welcome to the Tarnix Setup Wizard, this will guide you through the steps "
             "required to set up your Tarnix router.",
             kWelcomeTextRect, kBodyStyle);
    AddLabel("Select your language:", kLanguagePromptRect, {10, 1, 0, Qt::black});
    m_language = new QComboBox(this);
    m_language->setGeometry(kLanguageListRect);
    m_language->addItem("English");
    m_language->setCurrentIndex(0);

    m_start = AddSkinButton("START", PageLayout::kNextRect,
                            FacesPressedOver("pic/BUTTON/start1.bmp", "pic/BUTTON/start2.bmp"));
    m_start->setFont(EnlargedFont(3));
    connect(m_start, &QAbstractButton::clicked, this, [this] { OpenPage(PageId::Preparations); });
}

void CTarnixConnectDlg::OnExit()
{
    // Closing the main window is the end of the program.
    if (AskExitQuestion())
        reject();
}
