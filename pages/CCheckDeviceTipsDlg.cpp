#include "CCheckDeviceTipsDlg.h"

#include "AccessibleRoles.h"
#include "HostNetwork.h"

#include <QCheckBox>

#include <algorithm>

namespace {

// A grey dark enough to read on the light panel (5.5:1).
constexpr LabelStyle kQuestionStyle{9, 1, 0, QColor(100, 100, 100)};
// The terms here are only an eighth taller than the dialog font.
constexpr int kTermFontDivisor = 8;

// Texts run across the panel; the boxes sit at its right edge.
constexpr int kTextLeft = 56;
constexpr int kTextWidth = 640;
constexpr int kBoxLeft = 716;
constexpr QSize kBoxSize{20, 20};
constexpr int kIntroTop = 150;
constexpr int kFirstQuestionTop = 186;
constexpr int kLineHeight = 18;
constexpr int kBlockGap = 22;
constexpr std::chrono::milliseconds kWirelessStatusPeriod{2000};
constexpr int kWirelessQuestion = 2;

struct Question
{
    const char* Text;
    const char* Explanation;
    const char* Term;
    const char* Tip;
    int TipWidth;
};

const Question kQuestions[3] = {
    {"Do you have your Internet Service Provider details?",
     "You will need the Internet Service Provider user name and password to complete the setup. "
     "You might find these in the welcome pack you received from your Internet Service Provider.",
     "What is an Internet Service Provider?",
     "ISP - Internet Service Provider.\nThis is the company that provides you with your Internet "
     "connection.",
     223},
    {"Does your firewall let this computer reach the router?",
     "The usual Linux desktop firewall lets your computer connect to the router, so there is "
     "nothing to switch off. Only if the wizard later says it cannot reach the router, check that "
     "your firewall allows outgoing connections to it.",
     "How do I check this?",
     "Checking Your Firewall\nKeep your firewall on. ufw: \"sudo ufw status verbose\" shows "
     "\"deny (outgoing)\" only when outgoing connections are blocked; then \"sudo ufw allow out "
     "to 192.168.1.1\" lets the wizard reach the router. firewalld: outgoing connections are "
     "allowed unless your administrator added a rule against them; \"sudo firewall-cmd "
     "--list-all\" shows the rules. KDE Plasma: System Settings->Firewall, add a rule that allows "
     "outgoing connections to 192.168.1.1.",
     423},
    {"Have you turned off the wireless adapter in your PC/laptop?",
     "You need to connect to the router via cable before proceeding with this installation. If "
     "you have a wireless adapter on your computer, please disable this now.",
     "How do I do this?",
     "Turn off Wireless Adapter\nIf you use GNOME, click the network icon at the right of the top "
     "bar->turn Wi-Fi off (or Settings->Wi-Fi->switch off) If you use KDE Plasma, click the network "
     "icon in the system tray->untick Wi-Fi (or System Settings->Wi-Fi & Networking) In a terminal: "
     "nmcli radio wifi off (nmcli radio wifi on afterwards) If you do not use either of above please "
     "consult your computer's manual.",
     450},
};

QRect TextRect(int top, int lines = 1)
{
    return QRect(kTextLeft, top, kTextWidth, lines * kLineHeight);
}

}  // namespace

CCheckDeviceTipsDlg::CCheckDeviceTipsDlg(QWidget* owner)
    : CRunningTextPage(PageFrame{.Id = PageId::Preparations,
                                 .Background = "pic/BG/1100.gif",
                                 .Heading = "Welcome to the Setup Wizard for your wireless router"},
                       owner)
{
    AddLabel("Before we get started let's check that you have everything you need...",
             TextRect(kIntroTop), kBoldBodyStyle);
    int top = kFirstQuestionTop;
    for (int index = 0; index < 3; ++index)
        top = AddQuestion(index, top) + kBlockGap;
    AddUserNote(top);
    m_boxes[0]->setFocus();
}

// Returns the bottom of the question's block.
int CCheckDeviceTipsDlg::AddQuestion(int index, int top)
{
    const Question& question = kQuestions[index];
    AddLabel(question.Text, TextRect(top), kQuestionStyle);
    m_boxes[index] = AddCheckBox(QRect(QPoint(kBoxLeft, top - 1), kBoxSize));
    m_boxes[index]->setAccessibleName(question.Text);
    const TextFlowEnd end = AddRunningText(
        {PlainRun(question.Explanation),
         TermRun(question.Term, question.Tip, question.TipWidth, kTermFontDivisor)},
        TextRect(top + kLineHeight, 3));
    if (index != kWirelessQuestion)
        return end.Bottom;
    m_wirelessStatus = AddLabel(QString(), TextRect(end.Bottom + 4), kBoldBodyStyle);
    CHostNetwork* network = &HostNetwork();
    KeepStatusFresh(
        m_wirelessStatus, kWirelessStatusPeriod,
        [network] { return WirelessStatusText(network->Read()); },
        [this] { emit WirelessStatusShown(); });
    return m_wirelessStatus->geometry().bottom();
}

void CCheckDeviceTipsDlg::AddUserNote(int top)
{
    CLabel* heading = AddLabel("User Note", TextRect(top), kQuestionStyle);
    CLabel* note = AddLabel(
        "1. Don't worry, we won't be installing any software on your computer!\n"
        "2. Please be assured none of your personal data will be stored by Tarnix or "
        "distributed over the Internet.",
        TextRect(top + kLineHeight, 2));
    // Read as one: screen readers pass over a label of two words.
    note->setAccessibleName(heading->text() + ": " + note->text().simplified());
    HideFromAssistiveTechnology(heading);
}

void CCheckDeviceTipsDlg::OnNext()
{
    const bool allTicked = std::all_of(m_boxes.begin(), m_boxes.end(),
                                       [](const QCheckBox* box) { return box->isChecked(); });
    if (!allTicked)
    {
        ShowPlainMessage(kTickAllBoxesMessage);
        return;
    }
    OpenNext(FlowChoice::Next);
}

QString WirelessStatusText(const HostNetworkState& state)
{
    const HostAdapter wireless = ConnectedWirelessAdapter(state);
    if (wireless.Name.isEmpty())
        return "No wireless adapter is connected.";
    if (wireless.ConnectionName.isEmpty())
        return "Your wireless adapter is connected: switch it off for now.";
    return QString("Your wireless adapter is connected to %1: switch it off for now.")
        .arg(wireless.ConnectionName);
}
