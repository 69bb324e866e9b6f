#include "PrimeRouterLink.h"

#include "CIpLink.h"
#include "WizardOptions.h"

void PrimeRouterLink(CIpLink& link, const std::string& password)
{
    link.SetUserName(kRouterUserName);
    link.SetPassword(password);
    link.SetRouterAddress(ConfiguredRouterAddress());
    link.SetTimeouts(GetWizardOptions().Timeouts);
}

namespace {
LoginVerdict Login(CIpLink& link, bool retry)
{
    if (retry ? LoginWithOneRetry(link) : link.Login())
        return LoginVerdict::Accepted;
    return link.LastRequestAnswered() ? LoginVerdict::Refused : LoginVerdict::NoAnswer;
}
}  // namespace

LoginVerdict LoginRouterLink(CIpLink& link)
{
    return Login(link, true);
}

LoginVerdict LoginRouterLinkOnce(CIpLink& link)
{
    return Login(link, false);
}
