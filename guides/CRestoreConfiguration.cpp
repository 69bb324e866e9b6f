#include "CRestoreConfiguration.h"

#include "CIpLink.h"
#include "GuideDocument.h"
#include "RunWithoutFreezing.h"
#include "SecuritySettingsSaving.h"
#include "TextRules.h"
#include "WizardSession.h"

#include <QCheckBox>
#include <QTimer>

#include <string>
#include <utility>

namespace {

constexpr char kNameTip[] =
    "Wireless Network Name\nThis is the name that you have given your wireless network. E.g. Tarnix123";
constexpr char kKeyTip[] =
    "Wireless Network Password\nThis is the password you have given your network.Only users who "
    "know this password will be able to connect to your network.";

constexpr LabelStyle kImportantStyle{10, 1, 0, QColor(0, 0, 0)};
using PageLayout::kContentBodyRect;
constexpr int kImportantHeight = 26;
constexpr int kSectionGap = 16;
constexpr int kRowPitch = 30;
constexpr int kValueIndent = 290;
constexpr int kKeyCaptionHeight = 40;
constexpr int kSaveLabelIndent = 24;
constexpr QSize kSaveChoiceSize{20, 20};

// The most a network name and a key can hold.
constexpr std::size_t kMaxNetworkNameBytes = 32;
constexpr std::size_t kMaxNetworkKeyBytes = 63;

// Both values as the router holds them, cut to what a name and a key can
// hold, with control characters as "?": they are shown and go into the file,
// where a line break would start a line of its own. Empty when the router
// did not answer.
std::pair<std::string, std::string> ReadFromRouter(CIpLink& link)
{
    std::string name;
    std::string key;
    CIpLink::ReadWirelessSettings(link, name, key);
    return {ControlsReplaced(CutAtCharacter(name, kMaxNetworkNameBytes)),
            ControlsReplaced(CutAtCharacter(key, kMaxNetworkKeyBytes))};
}

}  // namespace

CRestoreConfiguration::CRestoreConfiguration(QWidget* owner)
    : CRunningTextPage(PageFrame{.Id = PageId::RestoreConfiguration,
                                 .Background = "pic/BG/1100.gif",
                                 .Heading = "You are almost there!"},
                       owner)
{
    BuildBody();
    // Read once the page is on screen, so that it paints while the router answers.
    QTimer::singleShot(0, this, &CRestoreConfiguration::ReadRouterSettings);
}

void CRestoreConfiguration::BuildBody()
{
    const int left = kContentBodyRect.left();
    const int width = kContentBodyRect.width();
    AddLabel("Important:", QRect(left, kContentBodyRect.top(), width, kImportantHeight),
             kImportantStyle);
    int top = AddParagraphs(
        {{PlainRun("Write your "), TermRun("Wireless Network Name", kNameTip),
          PlainRun(" (SSID) and "), TermRun("Wireless Network Password", kKeyTip),
          PlainRun(
              "(Encryption Key) on the back cover of your Quick Installation Guide, that comes "
              "in the box, and keep this in a safe place.")},
         {PlainRun(
             "You will need these details later on when you connect to the wireless network.")}},
        kContentBodyRect.adjusted(0, kImportantHeight, 0, 0), kParagraphGap);
    top += kSectionGap;

    const int valueLeft = left + kValueIndent;
    const int valueWidth = kContentBodyRect.right() + 1 - valueLeft;
    AddLabel("Your Wireless Network Name (SSID): ", QRect(left, top, kValueIndent, kRowPitch));
    m_nameValue = AddLabel(QString(), QRect(valueLeft, top, valueWidth, kRowPitch), kBoldBodyStyle);
    top += kRowPitch;
    AddLabel("Your Wireless Network Password:\n (Encryption key)",
             QRect(left, top, kValueIndent, kKeyCaptionHeight));
    m_keyValue = AddLabel(ShownNetworkKey(QString()), QRect(valueLeft, top, valueWidth, kRowPitch),
                          kBoldBodyStyle);
    top += kKeyCaptionHeight + kSectionGap;

    CLabel* saveLabel = AddLabel(
        "Save these settings in a text file on my desktop",
        QRect(left + kSaveLabelIndent, top, width - kSaveLabelIndent, kSaveChoiceSize.height()));
    // The box is centred on its label's line of text.
    const int boxDrop = (saveLabel->fontMetrics().height() - kSaveChoiceSize.height()) / 2;
    m_saveChoice = AddCheckBox(QRect(QPoint(left, top + boxDrop), kSaveChoiceSize));
    LabelField(saveLabel, m_saveChoice);
    top += kSaveChoiceSize.height() + kSectionGap;

    m_printDetails = AddSkinButton(
        "PRINT DETAILS", QRect(left, top, 0, 0),
        FacesPressedNormal("pic/BUTTON/print_details/print_details.bmp",
                           "pic/BUTTON/print_details/print_details1.bmp"));
    // The face is drawn at its own size; a smaller button would cut it.
    m_printDetails->resize(m_printDetails->sizeHint());
    m_printDetails->setFont(EnlargedFont(4));
    connect(m_printDetails, &QAbstractButton::clicked, this,
            &CRestoreConfiguration::OnPrintDetails);
}

void CRestoreConfiguration::ReadRouterSettings()
{
    CIpLink& link = WizardSession::Current().Link;
    const auto [name, key] = RunRouterCall(this, link, [&link] { return ReadFromRouter(link); });
    if (Ended())
        return;
    m_networkName = QString::fromStdString(name);
    m_networkKey = QString::fromStdString(key);
    m_nameValue->setText(m_networkName);
    m_keyValue->setText(ShownNetworkKey(m_networkKey));
    emit SettingsRead();
}

void CRestoreConfiguration::OnNext()
{
    if (!m_saveChoice->isChecked())
        return;
    SaveSecuritySettings(this, m_networkName, ShownNetworkKey(m_networkKey));
}

void CRestoreConfiguration::OnPrintDetails()
{
    if (const auto document = BuildGuideDocument(kGuideLanguageId, "SSID_print.html",
                                                 kPrintedGuideMediaSlots,
                                                 DetailsSheetFill(m_networkName, m_networkKey)))
        PrintGuideDocument(*document);
}
