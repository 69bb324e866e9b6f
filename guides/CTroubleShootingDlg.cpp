#include "CTroubleShootingDlg.h"

namespace {

// Inside the content panel, whose rounded border stays in sight around the guide.
constexpr QRect kGuideRect = PageLayout::kContentBodyRect;

PageFrame TroubleFrame()
{
    PageFrame frame;
    frame.Id = PageId::Troubleshooting;
    frame.Background = "pic/BG/7100.gif";
    frame.Heading = "Trouble Shooting";
    frame.HasPrevNext = false;
    return frame;
}

}  // namespace

CTroubleShootingDlg::CTroubleShootingDlg(QWidget* owner)
    : CGuidePage(TroubleFrame(), owner, kGuideRect, {"Trouble.html", "Trouble_print.html"},
                 NoGuideFill())
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
