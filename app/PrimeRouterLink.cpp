#include "PrimeRouterLink.h"

#include "CIpLink.h"
#include "WizardOptions.h"

void PrimeRouterLink(const std::string& password)
{
    CIpLink* link = GetRouterLink();
    if (!link)
        return;
    link->SetUserName(kRouterUserName);
    link->SetPassword(password);
    link->SetRouterAddress(ConfiguredRouterAddress());
    link->SetTimeouts(GetWizardOptions().Timeouts);
}

bool LoginRouterLink()
{
    CIpLink* link = GetRouterLink();
    return link && LoginWithOneRetry(*link);
}
