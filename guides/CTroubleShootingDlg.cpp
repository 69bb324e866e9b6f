#include "CTroubleShootingDlg.h"

namespace {

// Inside the content panel, whose rounded border stays in sight around the guide.
constexpr QRect kGuideRect = PageLayout::kContentBodyRect;

}  // namespace

CTroubleShootingDlg::CTroubleShootingDlg(QWidget* owner)
    : CGuidePage(PageFrame{.Id = PageId::Troubleshooting,
                           .Background = "pic/BG/7100.gif",
                           .Heading = "Trouble Shooting",
                           .HasPrevNext = false},
                 owner, kGuideRect, {"Trouble.html", "Trouble_print.html"}, NoGuideFill())
{
    // This page is the troubleshooting help itself; Disclaimer closes the gap
    // its button would leave in the bar.
    TroubleshootingButton()->hide();
    DisclaimerButton()->move(TroubleshootingButton()->pos());
}

void CTroubleShootingDlg::OnExit()
{
    reject();
}
