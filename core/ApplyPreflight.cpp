#include "ApplyPreflight.h"

#include "RouterDefaults.h"
#include "RouterUrls.h"
#include "TextRules.h"
#include "WizardSettings.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

namespace {

const std::string kToken(kRouterTokenRoom, '0');

// One value that goes into a request, with its size as sent.
struct Part
{
    CarriedField Field;
    std::size_t Size;
};

Part Escaped(CarriedField field, std::string_view value)
{
    return {field, EscapeQueryValue(value).size()};
}

Part Raw(CarriedField field, std::string_view value)
{
    return {field, value.size()};
}

// Too long: the longest value of the request is the one to shorten.
CarryCheck TooLong(std::initializer_list<Part> parts)
{
    const Part longest = *std::max_element(
        parts.begin(), parts.end(), [](const Part& a, const Part& b) { return a.Size < b.Size; });
    return {CarryProblem::TooLong, longest.Field};
}

// ";" would end the cookie's value, a control character the header line.
bool FitsInACookie(std::string_view password)
{
    return std::none_of(password.begin(), password.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return c == ';' || byte < 0x20 || byte == 0x7F;
    });
}

bool CookiesFit(std::string_view password)
{
    return ApplyCookie(password, kToken) && AdminCookie(password, kToken)
           && ApplyAdminCookie(password, kToken) && WirelessCookie(password, kToken)
           && SecurityCookie(password, kToken);
}

// The login and every cookie with password.
CarryCheck CheckOnePassword(std::string_view password, CarriedField field)
{
    if (!FitsInACookie(password))
        return {CarryProblem::NotInACookie, field};
    if (!LoginBody(kRouterUserName, password) || !CookiesFit(password))
        return {CarryProblem::TooLong, field};
    return {};
}

// The pages read without parameters and the requests whose only values are
// the host and the router's tokens.
CarryCheck CheckHost(std::string_view host)
{
    const bool fits = PageUrl(host, "setup_wancfg.html") && QuickSetupUrl(host, kToken)
                      && AddServiceUrl(host, kToken) && RemoveServiceUrl(host, kToken, kToken);
    return fits ? CarryCheck{} : CarryCheck{CarryProblem::TooLong, CarriedField::RouterAddress};
}

CarryCheck CheckWan(const WizardSettings& s, std::string_view host)
{
    if (WanSummaryUrl(WanVariantFor(s), s, host, kToken))
        return {};
    const std::size_t addresses = EscapeQueryValue(s.StaticIpAddress).size()
                                  + EscapeQueryValue(s.StaticSubnetMask).size()
                                  + EscapeQueryValue(s.StaticGateway).size()
                                  + EscapeQueryValue(s.StaticPrimaryDns).size()
                                  + EscapeQueryValue(s.StaticSecondaryDns).size();
    return TooLong({Raw(CarriedField::RouterAddress, host),
                    Escaped(CarriedField::PppUserName, s.PppUserName),
                    Escaped(CarriedField::PppPassword, s.PppPassword),
                    {CarriedField::StaticAddresses, addresses}});
}

CarryCheck CheckWireless(const WizardSettings& s, std::string_view host)
{
    if (!WirelessBasicUrl(s, host, kToken))
        return TooLong(
            {Raw(CarriedField::RouterAddress, host), Escaped(CarriedField::Ssid, s.Ssid)});
    if (!WirelessSecurityUrl(host, s.WirelessKey, s.WirelessSecurityIndex, kToken))
        return TooLong({Raw(CarriedField::RouterAddress, host),
                        Escaped(CarriedField::WirelessKey, s.WirelessKey)});
    return {};
}

// The password the run's logins and cookies use, as the run sets it.
std::string LoginPassword(const WizardSettings& s)
{
    return s.RouterPasswordChanged ? s.PasswordAfterChange : s.RouterPassword;
}

// The change the run will send, if any: the run skips one the router already has.
bool SendsPasswordChange(const WizardSettings& s)
{
    return s.PasswordChangeRequested
           && !(s.RouterPasswordChanged && s.PasswordAfterChange == s.NewRouterPassword);
}

}  // namespace

CarryCheck CheckRouterPasswordsCarriable(std::string_view currentPassword,
                                         std::string_view newPassword,
                                         std::string_view routerAddress)
{
    if (const CarryCheck check = CheckOnePassword(currentPassword, CarriedField::RouterPassword);
        !check.Carried())
        return check;
    if (newPassword.empty())
        return {};
    // Later runs log in with the new password and carry it in their cookies.
    if (const CarryCheck check = CheckOnePassword(newPassword, CarriedField::NewRouterPassword);
        !check.Carried())
        return check;
    WizardSettings change;
    change.RouterPassword = currentPassword;
    change.NewRouterPassword = newPassword;
    if (!PasswordChangeUrl(change, routerAddress, kToken))
    {
        // Each password goes into the change twice.
        return TooLong({Raw(CarriedField::RouterAddress, routerAddress),
                        Escaped(CarriedField::RouterPassword, currentPassword),
                        Escaped(CarriedField::NewRouterPassword, newPassword)});
    }
    return {};
}

CarryCheck CheckApplyCarriable(const WizardSettings& s, std::string_view host)
{
    if (const CarryCheck check = CheckHost(host); !check.Carried())
        return check;
    // The logins, the cookies and the change (as its old password) carry the
    // login password.
    const std::string login = LoginPassword(s);
    if (const CarryCheck check = CheckOnePassword(login, CarriedField::RouterPassword);
        !check.Carried())
        return check;
    if (SendsPasswordChange(s))
    {
        if (const CarryCheck check = CheckRouterPasswordsCarriable(login, s.NewRouterPassword,
                                                                   host);
            !check.Carried())
            return check;
    }
    if (const CarryCheck check = CheckWan(s, host); !check.Carried())
        return check;
    return CheckWireless(s, host);
}

std::string CarryMessage(const CarryCheck& check)
{
    std::string field;
    switch (check.Field)
    {
    case CarriedField::RouterAddress: field = "router address"; break;
    case CarriedField::RouterPassword: field = "router password"; break;
    case CarriedField::NewRouterPassword: field = "new router password"; break;
    case CarriedField::PppUserName: field = "user name of your Internet account"; break;
    case CarriedField::PppPassword: field = "password of your Internet account"; break;
    case CarriedField::StaticAddresses: field = "static IP address"; break;
    case CarriedField::Ssid: field = "wireless network name"; break;
    case CarriedField::WirelessKey: field = "wireless password"; break;
    }
    switch (check.Problem)
    {
    case CarryProblem::None: return {};
    case CarryProblem::TooLong:
        return "The " + field + " is too long to send to the router. Please make it shorter.";
    case CarryProblem::NotInACookie:
        return "The " + field
               + " cannot be sent to the router: it holds a semicolon (;) or a control character. "
                 "Please choose a password without them.";
    }
    return {};
}
