#include "CEthLineDlg.h"

#include "HostNetwork.h"
#include "WizardOptions.h"

CEthLineDlg::CEthLineDlg(QWidget* owner)
    : CRunningTextPage(PageFrame{.Id = PageId::Ethernet,
                                 .Background = "pic/BG/2200.gif",
                                 .Heading = "Now let's connect the router to the computer"},
                       owner)
{
    const TextRun lanPort = TermRun(
        "LAN port",
        "LAN port\nThis is the port located on the back of the router where you will be asked to "
        "plug your Ethernet cable into. There are normally 4 of them,allowing you to connect up to "
        "4 computers/devices to the modem router at any time.",
        453);
    const int bottom = AddParagraphs(
        {{PlainRun("Take the blue "),
          TermRun("Ethernet cable",
                  "Ethernet cable\nThis is the cable that is used to connect your computer to the "
                  "router"),
          PlainRun("that came in the box and plug one end into the number 1 LAN port on the back "
                   "of the router. ")},
         {PlainRun("Plug the other end into the"), lanPort, PlainRun("on your computer.")},
         {PlainRun("Now check that the LAN port LED on the front of the router is lit.")}},
        kTextColumnRect, kParagraphGap);
    m_wiredStatus = AddStatusLine(bottom);
    const QString routerAddress = QString::fromStdString(ConfiguredRouterAddress());
    CHostNetwork* network = &HostNetwork();
    KeepStatusFresh(
        m_wiredStatus, kWiredStatusPeriod,
        [network, routerAddress] {
            return WiredStatusText(
                JudgeWiredLink(network->Read(), ResolveRouterIpv4(routerAddress)));
        },
        [this] { emit WiredStatusShown(); });
    NextButton()->setFocus();
}

QString WiredStatusText(WiredLinkState state)
{
    switch (state)
    {
    case WiredLinkState::NoWiredAdapter:
        return "No wired network adapter was found on this computer.";
    case WiredLinkState::NoCable:
        return "No cable detected yet: the Ethernet port of your computer has no link.";
    case WiredLinkState::OtherNetwork:
        return "Cable connected, but your computer has no address in the router's network yet.";
    case WiredLinkState::LinkOnly: return "Cable connected.";
    case WiredLinkState::InRouterNetwork:
        return "Cable connected: your computer is in the router's network.";
    }
    return QString();
}

void CEthLineDlg::OnNext()
{
    OpenNext(FlowChoice::Next);
}
