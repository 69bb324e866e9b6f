#include "CForgotPassWordTipsDlg.h"

CForgotPassWordTipsDlg::CForgotPassWordTipsDlg(QWidget* owner)
    : CRunningTextPage(PageFrame{.Id = PageId::ResetInstructions,
                                 .Background = "pic/BG/2420.gif",
                                 .Heading = "We will need to reset your router."},
                       owner)
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
