#pragma once
// The request texts of the router link, formatted into their fixed-size
// buffers. Every value placed in a query or the login body is escaped with
// EscapeQueryValue; the host is the router address as set. Each function
// returns nothing when the text would not fit its buffer, so it is never sent
// cut.

#include <optional>
#include <string>
#include <string_view>

struct WizardSettings;

// "http://HOST/PAGE" (512 bytes), for the pages read without parameters.
std::optional<std::string> PageUrl(std::string_view host, std::string_view page);

std::optional<std::string> LoginBody(std::string_view userName, std::string_view password);
std::optional<std::string> LogoutUrl(std::string_view userName, std::string_view password,
                                     std::string_view host);

std::optional<std::string> QuickSetupUrl(std::string_view host, std::string_view sessionKey);
std::optional<std::string> RemoveServiceUrl(std::string_view host, std::string_view name,
                                            std::string_view sessionKey);
std::optional<std::string> AddServiceUrl(std::string_view host, std::string_view sessionKey);

// The internet_sum.cgi templates, one per kind of WAN service.
enum class WanVariant
{
    Pppoe,
    Pppoa,
    MerDynamic,
    MerStatic,
    Ipoa,
    Bridge,
};
// The variant the settings' protocol (and, for MER, MerDynamicIp) chooses.
WanVariant WanVariantFor(const WizardSettings& settings);
std::optional<std::string> WanSummaryUrl(WanVariant variant, const WizardSettings& settings,
                                         std::string_view host, std::string_view sessionKey);

std::optional<std::string> WirelessBasicUrl(const WizardSettings& settings, std::string_view host,
                                            std::string_view sessionKey);
std::optional<std::string> WirelessSecurityUrl(std::string_view host, std::string_view wirelessKey,
                                               int securityIndex, std::string_view sessionKey);
std::optional<std::string> PasswordChangeUrl(const WizardSettings& settings, std::string_view host,
                                             std::string_view sessionKey);
