#include "ApplyValues.h"

#include "WizardSettings.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <utility>

namespace {
using Words = std::vector<std::pair<std::string, int>>;

const Words CountryWords = {{"au", CountryAustralia}, {"nz", CountryNewZealand}};
const Words ProtocolWords = {{"pppoe", ProtocolPppoe},
                             {"pppoa", ProtocolPppoa},
                             {"mer", ProtocolMer},
                             {"ipoa", ProtocolIpoa},
                             {"bridge", ProtocolBridge}};
const Words EncapsulationWords = {{"llc", EncapsulationLlc}, {"vcmux", EncapsulationVcMux}};
const Words MerIpWords = {{"dynamic", MerIpDynamic}, {"static", MerIpStatic}};
const Words SecurityWords = {{"wpa", SecurityWpa}, {"wpa2", SecurityWpa2}, {"none", SecurityNone}};

std::string Lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The option's word as its list position; fallback when the option is absent.
bool ReadWord(const CommandLine& line, const std::string& name, const Words& words, int fallback,
              int& value, std::string& error)
{
    value = fallback;
    if (!line.Has(name))
        return true;
    const std::string given = Lowered(line.Value(name));
    const auto known = std::find_if(words.begin(), words.end(),
                                    [&](const auto& entry) { return entry.first == given; });
    if (known != words.end())
    {
        value = known->second;
        return true;
    }
    error = "--" + name + ": unknown value " + line.Value(name);
    return false;
}

// Longer than any pause a router needs; keeps every pause far from the
// clock's limits.
constexpr std::chrono::milliseconds LongestPause = std::chrono::hours(1);

bool ReadMilliseconds(const CommandLine& line, const std::string& name,
                      std::chrono::milliseconds fallback, std::chrono::milliseconds& value,
                      std::string& error)
{
    value = fallback;
    if (!line.Has(name))
        return true;
    const std::string text = line.Value(name);
    long long count = 0;
    const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (!IsDecimalDigits(text) || problem != std::errc() || end != text.data() + text.size())
    {
        error = "--" + name + " needs a number of milliseconds (digits only), at most "
                + std::to_string(LongestPause.count()) + " (one hour)";
        return false;
    }
    if (std::chrono::milliseconds(count) > LongestPause)
    {
        error = "--" + name + " is longer than one hour (" + std::to_string(LongestPause.count())
                + " ms)";
        return false;
    }
    value = std::chrono::milliseconds(count);
    return true;
}

// VPI and VCI as digits only: "0x8" or "35abc" is a typing mistake, not 0 or
// 35. A minus sign is read as typed, for the range check to refuse as the
// page does.
bool CheckCircuitNumbers(const CommandLine& line, std::string& error)
{
    for (const char* name : {"vpi", "vci"})
    {
        const std::string value = line.Value(name);
        const std::string_view digits = value.rfind('-', 0) == 0 ? std::string_view(value).substr(1)
                                                                 : std::string_view(value);
        if (line.Has(name) && !IsDecimalDigits(digits))
        {
            error = std::string("--") + name + " needs a decimal number: " + line.Value(name);
            return false;
        }
    }
    return true;
}

// The word-valued options and the pauses: what the pages offer as lists.
bool ReadChoices(const CommandLine& line, WizardSettings& s, ApplyRequest& request,
                 std::string& error)
{
    const ApplyRunOptions defaults;
    if (!ReadWord(line, "country", CountryWords, CountryAustralia, s.CountryIndex, error))
        return false;
    const CountryDefaults& country = GetCountryDefaults(s.CountryIndex);
    return ReadWord(line, "protocol", ProtocolWords, country.ProtocolIndex, s.ProtocolIndex, error)
           && ReadWord(line, "encapsulation", EncapsulationWords, country.EncapsulationIndex,
                       s.EncapsulationIndex, error)
           && ReadWord(line, "mer-ip", MerIpWords, MerIpDynamic, s.MerDynamicIp, error)
           && ReadWord(line, "security", SecurityWords, SecurityWpa2, s.WirelessSecurityIndex,
                       error)
           && ReadMilliseconds(line, "pause-ms", defaults.StepPause, request.RunOptions.StepPause,
                               error)
           && ReadMilliseconds(line, "settle-ms", defaults.SettlePause,
                               request.RunOptions.SettlePause, error)
           && CheckCircuitNumbers(line, error);
}

CheckMessage CheckRouterPasswords(const CommandLine& line, WizardSettings& s)
{
    s.RouterPassword = SecretValue(line, "router-password", "TARNIX_ROUTER_PASSWORD",
                                   kFactoryPassword);
    if (const CheckMessage m = CheckExistingRouterPassword(s.RouterPassword);
        m != CheckMessage::None)
        return m;
    s.NewRouterPassword = SecretValue(line, "new-router-password", "TARNIX_NEW_ROUTER_PASSWORD");
    s.PasswordChangeRequested = line.Has("new-router-password") || !s.NewRouterPassword.empty();
    if (!s.PasswordChangeRequested)
        return CheckMessage::None;
    return CheckNewRouterPassword(s.NewRouterPassword, s.NewRouterPassword);
}

CheckMessage CheckPvcValues(const CommandLine& line, WizardSettings& s)
{
    const CountryDefaults& country = GetCountryDefaults(s.CountryIndex);
    s.AtmVpi = line.Has("vpi") ? ReadDecimal(line.Value("vpi")) : country.AtmVpi;
    s.AtmVci = line.Has("vci") ? ReadDecimal(line.Value("vci")) : country.AtmVci;
    return CheckPvc(s.AtmVpi, s.AtmVci);
}

CheckMessage CheckAccountOrAddresses(const CommandLine& line, WizardSettings& s)
{
    if (NeedsIspAccount(s.ProtocolIndex))
    {
        s.PppUserName = line.Value("ppp-user");
        s.PppPassword = SecretValue(line, "ppp-password", "TARNIX_PPP_PASSWORD");
        return CheckIspAccount(s.PppUserName, s.PppPassword, s.PppPassword);
    }
    if (!NeedsStaticAddresses(s.ProtocolIndex, s.MerDynamicIp))
        return CheckMessage::None;
    const StaticAddresses typed{line.Value("ip"), line.Value("mask"), line.Value("gateway"),
                                line.Value("dns1"), line.Value("dns2")};
    StaticAddresses stored;
    const CheckMessage m = CheckStaticAddresses(typed, stored);
    s.StaticIpAddress = stored.IpAddress;
    s.StaticSubnetMask = stored.SubnetMask;
    s.StaticGateway = stored.Gateway;
    s.StaticPrimaryDns = stored.PrimaryDns;
    s.StaticSecondaryDns = stored.SecondaryDns;
    return m;
}

CheckMessage CheckWirelessValues(const CommandLine& line, WizardSettings& s)
{
    s.Ssid = line.Value("ssid", "Tarnix");
    const std::string key = SecretValue(line, "key", "TARNIX_WIFI_KEY");
    return CheckWireless(s.Ssid, key, s.WirelessSecurityIndex, s.WirelessKey);
}

// The page gives one message for four address fields: the option named is
// the first whose value alone, among sound ones, the check refuses.
const char* InvalidAddressOption(const CommandLine& line)
{
    const std::pair<const char*, std::string StaticAddresses::*> fields[] = {
        {"--ip", &StaticAddresses::IpAddress},
        {"--gateway", &StaticAddresses::Gateway},
        {"--dns1", &StaticAddresses::PrimaryDns},
        {"--dns2", &StaticAddresses::SecondaryDns}};
    for (const auto& [option, field] : fields)
    {
        StaticAddresses one{"10.0.0.2", "255.255.255.0", "10.0.0.1", "10.0.0.3", ""};
        one.*field = line.Value(option + 2);  // without "--"
        StaticAddresses stored;
        if (CheckStaticAddresses(one, stored) == CheckMessage::InvalidIpAddress)
            return option;
    }
    return "--ip";
}

// The pages' checks in the order the wizard walks them.
CheckMessage CheckValues(const CommandLine& line, WizardSettings& s)
{
    for (auto check :
         {CheckRouterPasswords, CheckPvcValues, CheckAccountOrAddresses, CheckWirelessValues})
        if (const CheckMessage m = check(line, s); m != CheckMessage::None)
            return m;
    return CheckMessage::None;
}
}  // namespace

const char* OptionOf(CarriedField field)
{
    switch (field)
    {
    case CarriedField::RouterAddress: return "--router";
    case CarriedField::RouterPassword: return "--router-password";
    case CarriedField::NewRouterPassword: return "--new-router-password";
    case CarriedField::PppUserName: return "--ppp-user";
    case CarriedField::PppPassword: return "--ppp-password";
    case CarriedField::StaticAddresses: return "--ip";
    case CarriedField::Ssid: return "--ssid";
    case CarriedField::WirelessKey: return "--key";
    }
    return "";
}

const char* OptionOf(const CommandLine& line, CheckMessage refused)
{
    switch (refused)
    {
    case CheckMessage::VpiRange: return "--vpi";
    case CheckMessage::VciRange: return "--vci";
    case CheckMessage::InvalidUserName: return "--ppp-user";
    case CheckMessage::PasswordsDoNotMatch: return "--ppp-password";
    case CheckMessage::SubnetMaskEmpty:
    case CheckMessage::InvalidSubnetMask: return "--mask";
    case CheckMessage::GatewayEmpty: return "--gateway";
    case CheckMessage::PrimaryDnsEmpty: return "--dns1";
    case CheckMessage::DnsNotDifferent: return "--dns2";
    case CheckMessage::SsidBlank:
    case CheckMessage::SsidLength: return "--ssid";
    case CheckMessage::WirelessKeyEmpty:
    case CheckMessage::WirelessKeyLength: return "--key";
    case CheckMessage::InvalidNewPassword: return "--new-router-password";
    case CheckMessage::InvalidPassword: return "--router-password";
    case CheckMessage::InvalidIpAddress: return InvalidAddressOption(line);
    case CheckMessage::None:
    case CheckMessage::IpAddressEmpty: break;
    }
    return "--ip";
}

std::string SecretValue(const CommandLine& line, const std::string& option, const char* variable,
                        const std::string& fallback)
{
    if (line.Has(option))
        return line.Value(option);
    const char* fromEnvironment = std::getenv(variable);
    return fromEnvironment && *fromEnvironment ? fromEnvironment : fallback;
}

ApplyValuesResult ReadApplyValues(const CommandLine& line, WizardSettings& settings,
                                  ApplyRequest& request)
{
    WizardSettings s = settings;
    ApplyRequest r = request;
    ApplyValuesResult result;
    if (!ReadChoices(line, s, r, result.UsageError))
        return result;
    result.Refused = CheckValues(line, s);
    if (result.Refused != CheckMessage::None)
        return result;
    result.NotCarried = CheckApplyCarriable(s, line.RouterAddress);
    if (!result.NotCarried.Carried())
        return result;
    r.RunOptions.RouterAddress = line.RouterAddress;
    r.Probe = !line.Has("no-probe");
    if (line.Has("probe-url"))  // its form is checked with the command line
        r.ProbeUrls = line.Options.at("probe-url");
    settings = s;
    request = r;
    return result;
}
