#include "CConfigSuccessDlg.h"

#include "CLabel.h"
#include "CWizardEffects.h"
#include "CxSkinButton.h"
#include "DocumentLinks.h"

namespace {

constexpr char kParentalControlTip[] =
    "Parental Control\nThis allows you to limit Internet access to specific times or to block "
    "certain sites. To set this up, you can access the Advanced User Interface by clicking the "
    "link at the bottom of this page.";
constexpr char kAdvancedUiTip[] =
    "Advanced User Interface\nThe Advanced User Interface is where you can change or add "
    "settings on your router. It is accessible through a web browser, the address to access "
    "this is in your Quick Installation Guide.";

constexpr QRect kIntroRect{60, 150, 680, 52};
// Each line starts with its term; the rest of the sentence follows on its baseline.
constexpr QRect kParentalLineRect{60, 212, 680, 22};
constexpr QRect kAdvancedLineRect{60, 240, 680, 22};
constexpr QRect kBrowsePromptRect{60, 286, 480, 22};
constexpr QRect kStartBrowsingRect{60, 314, 200, 44};
constexpr QPoint kDocumentButtons[3] = {{60, 414}, {270, 414}, {480, 414}};

}  // namespace

CConfigSuccessDlg::CConfigSuccessDlg(QWidget* owner)
    : CRunningTextPage(PageFrame{.Id = PageId::Success,
                                 .Background = "pic/BG/2901.gif",
                                 .Heading = "Well done! Your router is now up and running"},
                       owner)
{
    BuildBody();
    m_documents = AddDocumentButtons(kDocumentButtons);
}

void CConfigSuccessDlg::BuildBody()
{
    AddLabel("You are now connected to the Internet via a wired connection. To access the "
             "Internet wirelessly, your computer needs to join the wireless network that you "
             "just set up. The next screen will give you some instructions on how to do this.",
             kIntroRect);
    m_parentalControl = AddRunningText(
                            {TermRun("Parental Control", kParentalControlTip),
                             PlainRun("lets you limit when and where the Internet can be used from "
                                      "your home.")},
                            kParentalLineRect)
                            .Terms.front();
    m_advancedUi = AddRunningText(
                       {TermRun("Advanced User Interface", kAdvancedUiTip, kAdvancedUiTipWidth),
                        PlainRun("is where you change your settings later; its address is in "
                                 "your Quick Installation Guide.")},
                       kAdvancedLineRect)
                       .Terms.front();
    AddLabel("If you just want to start browsing right away, please simply click here:",
             kBrowsePromptRect);
    m_startBrowsing = AddSkinButton(
        "START BROWSING", kStartBrowsingRect,
        FacesPressedOver("pic/BUTTON/start_browsing/start_browsing.bmp",
                         "pic/BUTTON/start_browsing/start_browsing1.bmp"));
    m_startBrowsing->setFont(EnlargedFont(4));
    connect(m_startBrowsing, &QAbstractButton::clicked, this, &CConfigSuccessDlg::OnStartBrowsing);
}

void CConfigSuccessDlg::OnNext()
{
    OpenNext(FlowChoice::Next);
}

void CConfigSuccessDlg::OnStartBrowsing()
{
    // Ending is only right when the browser is there to take over.
    if (OpenWebPage(this, kMakerSiteUrl))
        WizardEffects().EndProgram(0);
}
