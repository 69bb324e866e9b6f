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

namespace {
LoginVerdict Login(bool retry)
{
    CIpLink* link = GetRouterLink();
    if (!link)
        return LoginVerdict::Refused;
    if (retry ? LoginWithOneRetry(*link) : link->Login())
        return LoginVerdict::Accepted;
    return link->LastRequestAnswered() ? LoginVerdict::Refused : LoginVerdict::NoAnswer;
}
}  // namespace

LoginVerdict LoginRouterLink()
{
    return Login(true);
}

LoginVerdict LoginRouterLinkOnce()
{
    return Login(false);
}
