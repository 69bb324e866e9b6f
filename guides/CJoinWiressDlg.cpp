#include "CJoinWiressDlg.h"

#include "WizardSession.h"
#include "WizardSettings.h"

namespace {

using PageLayout::kContentBodyRect;
constexpr int kLeft = kContentBodyRect.left();
constexpr int kWidth = kContentBodyRect.width();
constexpr QRect kTipsRect{kLeft, kContentBodyRect.top(), kWidth, 22};
constexpr QRect kVaryRect{kLeft, kTipsRect.bottom() + 1, kWidth, 40};
constexpr int kGuideTop = kVaryRect.bottom() + 9;
constexpr QRect kGuideRect{kLeft, kGuideTop, kWidth, kContentBodyRect.bottom() + 1 - kGuideTop};
constexpr LabelStyle kIntroStyle{10, 0, 0, QColor(0, 0, 0)};

}  // namespace

CJoinWiressDlg::CJoinWiressDlg(QWidget* owner)
    : CGuidePage(PageFrame{.Id = PageId::JoinWireless,
                           .Background = "pic/BG/1100.gif",
                           .Heading = "How do I join a wireless network?",
                           .HasPrevNext = false},
                 owner, kGuideRect, {"HowTo.html", "HowTo_print.html"},
                 JoinWirelessFill(WizardSession::Current().Settings))
{
    AddLabel("Below are some tips that may help you to do this.", kTipsRect, kIntroStyle);
    AddLabel("This process may vary between computers. Please refer to your own computer's manual "
             "or contact your computer manufacturer's support line for additional help.",
             kVaryRect, kIntroStyle);
}
