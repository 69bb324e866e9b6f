#include "CJoinWiressDlg.h"

#include "WizardSettings.h"

namespace {

// The intro and the guide keep clear of the content panel's border.
constexpr QRect kBodyRect = PageLayout::kContentRect.adjusted(20, 12, -20, -12);
constexpr QRect kTipsRect{kBodyRect.left(), kBodyRect.top(), kBodyRect.width(), 22};
constexpr QRect kVaryRect{kBodyRect.left(), kTipsRect.bottom() + 1, kBodyRect.width(), 40};
constexpr int kGuideTop = kVaryRect.bottom() + 9;
constexpr QRect kGuideRect{kBodyRect.left(), kGuideTop, kBodyRect.width(),
                           kBodyRect.bottom() + 1 - kGuideTop};
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
