#include "CCheckDeviceTipsDlg.h"

#include "AccessibleRoles.h"
#include <QCheckBox>

#include <algorithm>

namespace {

constexpr LabelStyle kQuestionStyle{9, 1, 0, QColor(123, 123, 123)};
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

struct Question
{
    const char* question;
    const char* explanation;
    const char* term;
    const char* tip;
    int tipWidth;
};

const Question kQuestions[3] = {
    {"Do you have your Internet Service Provider details?",
     "You will need the Internet Service Provider user name and password to complete the setup. "
     "You might find these in the welcome pack you received from your Internet Service Provider.",
     "What is an Internet Service Provider?",
     "ISP - Internet Service Provider.\nThis is the company that provides you with your Internet "
     "connection.",
     223},
    {"Have you turned off your firewall or antivirus?",
     "These must be switched off in order to set up the router, but don't worry the installation "
     "is perfectly safe. You can switch them on again once we are done.",
     "How do I do this?",
     "Turning Your Firewall On/Off\nFor more information on how to turn your firewall on/off, "
     "please consult your desktop's Help or your anti-virus software manual. KDE Plasma: System "
     "Settings->Firewall. GNOME: the Firewall Configuration application, if installed. In a "
     "terminal: sudo ufw disable (sudo ufw enable afterwards), or sudo systemctl stop firewalld "
     "(start afterwards).",
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
    AddLabel(question.question, TextRect(top), kQuestionStyle);
    m_boxes[index] = AddCheckBox(QRect(QPoint(kBoxLeft, top - 1), kBoxSize));
    m_boxes[index]->setAccessibleName(question.question);
    const TextFlowEnd end = AddRunningText(
        {PlainRun(question.explanation),
         TermRun(question.term, question.tip, question.tipWidth, kTermFontDivisor)},
        TextRect(top + kLineHeight, 3));
    return end.Bottom;
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
    OpenPage(PageId::InstallMode);
}
