#include "InputChecks.h"

#include <arpa/inet.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

namespace {
constexpr std::array<std::string_view, 16> AustralianIsps = {
    "AAPT",    "Dodo Internet",    "Engin",           "Internode",
    "iinet",   "iPrimus",          "Netspace",        "Optus",
    "OzEmail", "Pacific Internet", "Pennytel",        "Southern Phone",
    "SpinTel", "TelPacific",       "Telstra BigPond", "TPG"};
constexpr std::array<std::string_view, 3> NewZealandIsps = {"IHUG", "Telecom Xtra", "Vodafone"};

const CountryDefaults AustraliaDefaults{AustralianIsps, ProtocolPppoe, EncapsulationLlc, 8, 35};
const CountryDefaults NewZealandDefaults{NewZealandIsps, ProtocolPppoa, EncapsulationVcMux, 0, 100};

constexpr std::string_view WhiteSpace = " \t\n\v\f\r";
constexpr std::size_t MaxSsidBytes = 32;
constexpr std::size_t MinKeyBytes = 8;
constexpr std::size_t MaxKeyBytes = 63;

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(WhiteSpace);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(WhiteSpace);
    return text.substr(first, last - first + 1);
}

// Four decimal parts of 0..255 without leading zeros or anything around them.
bool IsDottedAddress(const std::string& text)
{
    in_addr address{};
    return inet_pton(AF_INET, text.c_str(), &address) == 1;
}

// The all-ones address is the broadcast address, never one a host or DNS
// server can have.
bool IsUsableAddress(const std::string& text)
{
    return IsDottedAddress(text) && text != "255.255.255.255";
}

CheckMessage CheckAddress(const std::string& text, CheckMessage whenBlank, CheckMessage whenInvalid)
{
    if (text.empty())
        return whenBlank;
    if (!IsUsableAddress(text))
        return whenInvalid;
    return CheckMessage::None;
}
}  // namespace

const CountryDefaults& GetCountryDefaults(int countryIndex)
{
    return countryIndex == CountryNewZealand ? NewZealandDefaults : AustraliaDefaults;
}

bool NeedsIspAccount(int protocolIndex)
{
    return protocolIndex == ProtocolPppoe || protocolIndex == ProtocolPppoa;
}

bool NeedsStaticAddresses(int protocolIndex, int merDynamicIp)
{
    return protocolIndex == ProtocolIpoa
           || (protocolIndex == ProtocolMer && merDynamicIp == MerIpStatic);
}

std::string_view CheckMessageText(CheckMessage message)
{
    switch (message)
    {
    case CheckMessage::None: return "";
    case CheckMessage::VpiRange: return "VPI value must be 0 - 255";
    case CheckMessage::VciRange: return "VCI value must be 32 - 65535";
    case CheckMessage::InvalidUserName: return "Invalid user name.";
    case CheckMessage::PasswordsDoNotMatch: return "Passwords do not match!";
    case CheckMessage::IpAddressEmpty: return "IP Address can not be empty!";
    case CheckMessage::InvalidIpAddress: return "Please Enter a Valid IP Address";
    case CheckMessage::SubnetMaskEmpty: return "Subnet Mask can not be empty!";
    case CheckMessage::InvalidSubnetMask: return "Please Enter a Valid subnet mask";
    case CheckMessage::GatewayEmpty: return "Default Gateway can not be empty!";
    case CheckMessage::PrimaryDnsEmpty: return "Primary DNS can not be empty!";
    case CheckMessage::DnsNotDifferent: return "Primary DNS and Secondary DNS must be different.";
    case CheckMessage::SsidBlank: return "The SSID field cannot be blank.";
    case CheckMessage::SsidLength: return "ssid length error,please try again";
    case CheckMessage::WirelessKeyEmpty: return "Wireless Password cannot be empty.";
    case CheckMessage::WirelessKeyLength:
        return "Wireless Password must between 8 and 63 characters.";
    case CheckMessage::InvalidNewPassword: return "Invalid Pasword!";
    case CheckMessage::InvalidPassword: return "Invalid Password!";
    }
    return "";
}

int ReadDecimal(std::string_view text)
{
    const std::string terminated(text);
    const long value = std::strtol(terminated.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

CheckMessage CheckPvc(int vpi, int vci)
{
    if (static_cast<std::uint32_t>(vpi) > 255)
        return CheckMessage::VpiRange;
    if (vci < 32 || vci > 65535)
        return CheckMessage::VciRange;
    return CheckMessage::None;
}

CheckMessage CheckIspAccount(std::string_view userName, std::string_view password,
                             std::string_view confirmation)
{
    if (userName.empty())
        return CheckMessage::InvalidUserName;
    if (password.empty() || password != confirmation)
        return CheckMessage::PasswordsDoNotMatch;
    return CheckMessage::None;
}

std::string AddressFieldText(const std::array<std::string, 4>& parts)
{
    const bool blank = std::none_of(parts.begin(), parts.end(), [](const std::string& part) {
        return part.find_first_of("0123456789") != std::string::npos;
    });
    if (blank)
        return {};
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : ".") + std::to_string(ReadDecimal(part));
    return text;
}

CheckMessage CheckStaticAddresses(const StaticAddresses& typed, StaticAddresses& stored)
{
    const std::array<CheckMessage, 4> found = {
        CheckAddress(typed.IpAddress, CheckMessage::IpAddressEmpty, CheckMessage::InvalidIpAddress),
        CheckAddress(typed.SubnetMask, CheckMessage::SubnetMaskEmpty,
                     CheckMessage::InvalidSubnetMask),
        CheckAddress(typed.Gateway, CheckMessage::GatewayEmpty, CheckMessage::InvalidIpAddress),
        CheckAddress(typed.PrimaryDns, CheckMessage::PrimaryDnsEmpty,
                     CheckMessage::InvalidIpAddress),
    };
    for (CheckMessage message : found)
        if (message != CheckMessage::None)
            return message;

    // A page's address field always holds four parts; typed text need not.
    const std::string secondary = typed.SecondaryDns.empty() ? "0.0.0.0" : typed.SecondaryDns;
    if (!IsDottedAddress(secondary))
        return CheckMessage::InvalidIpAddress;
    if (secondary == typed.PrimaryDns)
        return CheckMessage::DnsNotDifferent;

    stored = typed;
    stored.SecondaryDns = secondary;
    return CheckMessage::None;
}

CheckMessage CheckWireless(std::string_view ssid, std::string_view key, int securityIndex,
                           std::string& storedKey)
{
    if (ssid.empty())
        return CheckMessage::SsidBlank;
    if (ssid.size() > MaxSsidBytes)
        return CheckMessage::SsidLength;
    if (securityIndex == SecurityNone)
    {
        storedKey.clear();
        return CheckMessage::None;
    }
    const std::string_view trimmed = Trimmed(key);
    if (trimmed.empty())
        return CheckMessage::WirelessKeyEmpty;
    if (trimmed.size() < MinKeyBytes || trimmed.size() > MaxKeyBytes)
        return CheckMessage::WirelessKeyLength;
    storedKey = trimmed;
    return CheckMessage::None;
}

CheckMessage CheckNewRouterPassword(std::string_view password, std::string_view reentered)
{
    if (password.empty() || password != reentered)
        return CheckMessage::InvalidNewPassword;
    return CheckMessage::None;
}

CheckMessage CheckExistingRouterPassword(std::string_view password)
{
    return password.empty() ? CheckMessage::InvalidPassword : CheckMessage::None;
}

CheckMessage CheckRouterPasswordConfirmation(std::string_view newPassword,
                                             std::string_view confirmation)
{
    // The router would be left with no administrator password at all.
    if (newPassword.empty() || newPassword != confirmation)
        return CheckMessage::InvalidPassword;
    return CheckMessage::None;
}
