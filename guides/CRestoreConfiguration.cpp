#include "CRestoreConfiguration.h"

#include "CIpLink.h"
#include "GuideDocument.h"
#include "RunWithoutFreezing.h"
#include "SecuritySettingsFile.h"

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
constexpr QRect kImportantRect{40, 136, 720, 22};
constexpr int kInstructionTop = 164;
constexpr int kLineHeight = 22;
constexpr QRect kInstructionRestRect{40, 186, 720, 40};
constexpr QRect kNoteRect{40, 230, 720, 22};
constexpr QRect kNameCaptionRect{40, 270, 280, 22};
constexpr QRect kNameValueRect{330, 270, 430, 22};
constexpr QRect kKeyCaptionRect{40, 300, 280, 40};
constexpr QRect kKeyValueRect{330, 300, 430, 22};
constexpr QRect kSaveChoiceRect{40, 356, 20, 20};
constexpr QRect kSaveLabelRect{64, 356, 500, 20};
constexpr QRect kPrintDetailsRect{40, 396, 140, 30};

PageFrame RestoreFrame()
{
    PageFrame frame;
    frame.Id = PageId::RestoreConfiguration;
    frame.Background = "pic/BG/1100.gif";
    frame.Heading = "You are almost there!";
    return frame;
}

// Both values as the router holds them; empty when it did not answer.
std::pair<std::string, std::string> ReadFromRouter()
{
    std::string name;
    std::string key;
    if (CIpLink* link = GetRouterLink())
        CIpLink::ReadWirelessSettings(*link, name, key);
    return {name, key};
}

}  // namespace

CRestoreConfiguration::CRestoreConfiguration(QWidget* owner) : CWizardPage(RestoreFrame(), owner)
{
    BuildBody();
    // Read once the page is on screen, so that it paints while the router answers.
    QTimer::singleShot(0, this, &CRestoreConfiguration::ReadRouterSettings);
}

void CRestoreConfiguration::BuildBody()
{
    AddLabel("Important:", kImportantRect, kImportantStyle);
    BuildInstruction();
    AddLabel("You will need these details later on when you connect to the wireless network.", kNoteRect);
    AddLabel("Your Wireless Network Name (SSID): ", kNameCaptionRect);
    AddLabel("Your Wireless Network Password:\n (Encryption key)", kKeyCaptionRect);
    m_nameValue = AddLabel(QString(), kNameValueRect, kBoldBodyStyle);
    m_keyValue = AddLabel(ShownNetworkKey(QString()), kKeyValueRect, kBoldBodyStyle);
    m_saveChoice = AddCheckBox(kSaveChoiceRect);
    AddLabel("Save these settings in a text file on my desktop", kSaveLabelRect);
    m_printDetails = AddSkinButton("PRINT DETAILS", kPrintDetailsRect,
                                   FacesPressedNormal("pic/BUTTON/print_details/print_details.bmp",
                                                      "pic/BUTTON/print_details/print_details1.bmp"));
    m_printDetails->setFont(EnlargedFont(4));
    connect(m_printDetails, &QAbstractButton::clicked, this, &CRestoreConfiguration::OnPrintDetails);
}

// "Write your <term> (SSID) and <term>" on one line, each piece as wide as its
// text, then the rest of the sentence below.
void CRestoreConfiguration::BuildInstruction()
{
    int left = 40;
    auto place = [&left](CLabel* label) {
        label->setWordWrap(false);
        label->setGeometry(left, kInstructionTop, label->sizeHint().width(), kLineHeight);
        left += label->width();
    };
    const QRect start(left, kInstructionTop, 0, kLineHeight);
    place(AddLabel("Write your ", start));
    place(AddTerm("Wireless Network Name", kNameTip, start));
    place(AddLabel(" (SSID) and ", start));
    place(AddTerm("Wireless Network Password", kKeyTip, start));
    AddLabel("(Encryption Key) on the back cover of your Quick Installation Guide, that comes in "
             "the box, and keep this in a safe place.",
             kInstructionRestRect);
}

void CRestoreConfiguration::ReadRouterSettings()
{
    const auto [name, key] = RunWithoutFreezing(this, &ReadFromRouter);
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
    if (const auto error = WriteSecuritySettingsFile(m_networkName, ShownNetworkKey(m_networkKey)))
        ShowPlainMessage(*error, QMessageBox::Critical);
}

void CRestoreConfiguration::OnPrintDetails()
{
    if (const auto document = BuildGuideDocument(kGuideLanguageId, "SSID_print.html",
                                                 kPrintedGuideMediaSlots,
                                                 DetailsSheetFill(m_networkName, m_networkKey)))
        PrintGuideDocument(*document);
}
