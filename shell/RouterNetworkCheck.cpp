#include "RouterNetworkCheck.h"

#include "CWizardEffects.h"
#include "HostNetwork.h"
#include "RunWithoutFreezing.h"
#include "WizardOptions.h"

bool ConfirmRouterNetwork(CWizardPage* page)
{
    const QString routerAddress = QString::fromStdString(ConfiguredRouterAddress());
    CHostNetwork& network = HostNetwork();
    const RouterNetworkVerdict verdict = RunWithoutFreezing(
        page, [&network, &routerAddress] { return CheckRouterNetwork(network, routerAddress); });
    if (page->Ended())
        return false;
    if (verdict != RouterNetworkVerdict::NotInAnyNetwork)
        return true;
    return WizardEffects().AskChoice(page, kNoRouterNetworkMessage, ProgramName(), kTryAnyway,
                                     "Cancel");
}
