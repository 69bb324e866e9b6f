#include "CJoinWiressDlg.h"

#include "WizardSettings.h"

namespace {

constexpr QRect kTipsRect{40, 136, 720, 22};
constexpr QRect kVaryRect{40, 160, 720, 40};
constexpr QRect kGuideRect{40, 204, 720, 272};
constexpr LabelStyle kIntroStyle{10, 0, 0, QColor(0, 0, 0)};

PageFrame JoinFrame()
{
    PageFrame frame;
    frame.Id = PageId::JoinWireless;
    frame.Background = "pic/BG/1100.gif";
    frame.Heading = "How do I join a wireless network?";
    frame.HasPrevNext = false;
    return frame;
}

}  // namespace

CJoinWiressDlg::CJoinWiressDlg(QWidget* owner)
    : CGuidePage(JoinFrame(), owner, kGuideRect, {"HowTo.html", "HowTo_print.html"},
                 JoinWirelessFill(GetWizardSettings()))
{
    AddLabel("Below are some tips that may help you to do this.", kTipsRect, kIntroStyle);
    AddLabel("This process may vary between computers. Please refer to your own computer's manual "
             "or contact your computer manufacturer's support line for additional help.",
             kVaryRect, kIntroStyle);
}
