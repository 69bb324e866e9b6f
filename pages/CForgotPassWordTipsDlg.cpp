#include "CForgotPassWordTipsDlg.h"

namespace {

PageFrame ResetInstructionsFrame()
{
    PageFrame frame;
    frame.Id = PageId::ResetInstructions;
    frame.Background = "pic/BG/2420.gif";
    frame.Heading = "We will need to reset your router.";
    return frame;
}

}  // namespace

CForgotPassWordTipsDlg::CForgotPassWordTipsDlg(QWidget* owner)
    : CRunningTextPage(ResetInstructionsFrame(), owner)
{
    AddParagraphs(
        {{PlainRun("In order to change the router's password, we will need to reset your router "
                   "back to the factory default settings.")},
         {PlainRun("Please reset your router by doing the following:")},
         {PlainRun("Press and hold the reset button on the back of your router for about 10 "
                   "seconds.")},
         {PlainRun("Wait 30 seconds, make sure that the Power LED is lit solid green, then click"),
          PlainRun("NEXT", kBoldBodyStyle), PlainRun(" below.")}},
        kTextColumnRect, kParagraphGap);
    NextButton()->setFocus();
}

void CForgotPassWordTipsDlg::OnNext()
{
    accept();
}
