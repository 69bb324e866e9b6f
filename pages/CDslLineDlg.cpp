#include "CDslLineDlg.h"

#include "CQuicKOrFirstInstallDlg.h"
#include "PrimeRouterLink.h"
#include "RouterNetworkCheck.h"
#include "RouterStatus.h"
#include "RunInBackground.h"
#include "RunWithoutFreezing.h"
#include "WizardOptions.h"
#include "WizardSession.h"
#include "WizardSettings.h"

CDslLineDlg::CDslLineDlg(QWidget* owner)
    : CRunningTextPage(PageFrame{.Id = PageId::DslLine,
                                 .Background = "pic/BG/2300.gif",
                                 .Heading = "Now let's connect the Internet cable"},
                       owner)
{
    const int bottom = AddParagraphs(
        {{PlainRun("Connect the grey cable to the DSL port on the back of the router, then connect "
                   "the other end to your wall mounted"),
          TermRun("phone jack.", "Phone jack\nA connection system for telephone equipment", 180)},
         {PlainRun("If you live in AU or NZ you will need to connect a"),
          TermRun("Microfilter splitter ",
                  "Microfilter splitter\nA microfilter is a small device that plugs into your "
                  "normal telephone socket and splits the line into both a standard telephone "
                  "socket and an ADSL broadband socket.",
                  400),
          PlainRun("that is supplied to your wall mounted phone jack first. Then connect the gray "
                   "cable to the ADSL port on the microfilter splitter and follow the above step"),
          PlainRun("to connect to the router.")},
         {PlainRun("Check that the DSL LED on the front of the router is lit. It may take a short "
                   "while for it to come on but ensure it is lit before you continue to the next "
                   "step.")}},
        kTextColumnRect, kParagraphGap);
    m_lineState = AddStatusLine(bottom);
    NextButton()->setFocus();
}

void CDslLineDlg::OnNext()
{
    if (!ConfirmRouterNetwork(this))
        return;
    WizardSession& session = WizardSession::Current();
    session.Settings.FirstInstallPath = true;
    CIpLink& link = session.Link;
    const LoginVerdict login = RunRouterCall(this, link, [&link] { return LoginRouterLink(link); });
    if (Ended())
        return;
    if (login == LoginVerdict::NoAnswer)
    {
        ShowPlainMessage(kRouterNoAnswerText, QMessageBox::Warning);
        return;
    }
    if (login == LoginVerdict::Refused)
    {
        OpenNext(FlowChoice::OwnPassword);
        return;
    }
    ReadLineState();
    CQuicKOrFirstInstallDlg::RequestRestoreReveal();
    OpenNext(FlowChoice::FactoryPassword);
}

void CDslLineDlg::ReadLineState()
{
    const std::string routerAddress = ConfiguredRouterAddress();
    const std::chrono::milliseconds timeout = GetWizardOptions().Timeouts.PageRead;
    RunInBackground(
        this, [routerAddress, timeout] { return ReadDslLineStatus(routerAddress, timeout); },
        [this](const DslLineStatus& status) {
            m_lineState->setText(DslLineStateText(status));
            emit LineStateShown();
        });
}

QString DslLineStateText(const DslLineStatus& status)
{
    if (status.Result != StatusRead::Read)
        return QString();
    if (!status.Up())
        return "Your router reports that the DSL line is not up yet. Check the grey cable, the "
               "microfilter and the DSL light.";
    return QString("Your router reports that the DSL line is up (%1 kbit/s).")
        .arg(QString::fromStdString(status.DownstreamRate));
}
