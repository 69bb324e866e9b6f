#include "CConfigPowerDlg.h"

CConfigPowerDlg::CConfigPowerDlg(QWidget* owner)
    : CRunningTextPage(PageFrame{.Id = PageId::Power,
                                 .Background = "pic/BG/2100.gif",
                                 .Heading = "First,let's set up the hardware",
                                 .ExitPressedLooksNormal = true},
                       owner)
{
    AddParagraphs(
        {{PlainRun("Connect the power adapter into the back of the router as shown in fig. A.")},
         {PlainRun("Now connect the power adapter to your wall power outlet or power board.")},
         {PlainRun("Turn on the power switch at the back of the router and check that the"),
          TermRun("power LED",
                  "Power LED.\nThe power LED is the light on the front of the router that lights "
                  "up when it is connected to a power outlet."),
          PlainRun("comes on. It will be red at first but "),
          PlainRun("will turn green when the device is ready.")}},
        kTextColumnRect, kParagraphGap);
    NextButton()->setFocus();
}

void CConfigPowerDlg::OnNext()
{
    OpenNext(FlowChoice::Next);
}
