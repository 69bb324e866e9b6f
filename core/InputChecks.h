#pragma once
// The rules every setup page applies on NEXT, in one place, so that a page and
// the command line refuse the same values with the same text. Nothing here
// shows anything: each check names the message that applies, and the caller
// decides how to show it (message box, error label, stderr). Texts are narrow
// (UTF-8), as they go to the router.
//
// Also the fixed lists of the ISP and PVC page and the wireless page: list
// positions are the values stored in WizardSettings, so their order is data.

#include "ListPositions.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

inline constexpr std::array<std::string_view, 2> CountryNames = {"Australia", "New Zealand"};
inline constexpr std::array<std::string_view, 5> ProtocolNames = {"PPPoE", "PPPoA", "MER", "IPoA",
                                                                  "Bridge"};
inline constexpr std::array<std::string_view, 2> EncapsulationNames = {"LLC", "VC Mux"};
inline constexpr std::array<std::string_view, 3> SecurityLevelNames = {"WPA", "WPA2(recommended)",
                                                                       "None"};

// What choosing a country loads into the ISP and PVC page. The ISP list is
// for the user's orientation only; no ISP carries settings of its own.
struct CountryDefaults
{
    std::span<const std::string_view> IspNames;
    int ProtocolIndex;
    int EncapsulationIndex;
    int AtmVpi;
    int AtmVci;
};

// Defaults of CountryNewZealand for 1, of CountryAustralia for any other index.
const CountryDefaults& GetCountryDefaults(int countryIndex);

// The page that follows the ISP and PVC page needs these.
bool NeedsIspAccount(int protocolIndex);
bool NeedsStaticAddresses(int protocolIndex, int merDynamicIp);

enum class CheckMessage
{
    None,
    // ISP and PVC page
    VpiRange,
    VciRange,
    // ISP account page
    InvalidUserName,
    PasswordsDoNotMatch,
    // static IP page
    IpAddressEmpty,
    InvalidIpAddress,  // also for the gateway and the two DNS fields
    SubnetMaskEmpty,
    InvalidSubnetMask,
    GatewayEmpty,
    PrimaryDnsEmpty,
    DnsNotDifferent,
    // wireless page
    SsidBlank,
    SsidLength,
    WirelessKeyEmpty,
    WirelessKeyLength,
    // router password pages
    InvalidNewPassword,  // create-password page
    InvalidPassword,     // existing-password page
};

// The text shown for a message, exactly as the pages word it; empty for None.
std::string_view CheckMessageText(CheckMessage message);

// A VPI or VCI field read as a decimal integer: leading white space skipped,
// an optional sign, digits up to the first non-digit; no digits reads as 0
// ("8x" is 8, "" is 0). Values beyond int saturate.
int ReadDecimal(std::string_view text);

// VPI 0..255 (taken as unsigned, so a negative VPI fails), then VCI 32..65535.
CheckMessage CheckPvc(int vpi, int vci);

// A user name of at least one character (blanks count), then a non-empty
// password equal to its confirmation. Nothing is trimmed.
CheckMessage CheckIspAccount(std::string_view userName, std::string_view password,
                             std::string_view confirmation);

// The five static address fields as dotted text; an empty text is a blank
// field. What a successful check stores has a blank secondary DNS as 0.0.0.0.
struct StaticAddresses
{
    std::string IpAddress;
    std::string SubnetMask;
    std::string Gateway;
    std::string PrimaryDns;
    std::string SecondaryDns;
};

// The dotted text of an address field of four parts: "" when no part holds a
// digit, else "%d.%d.%d.%d" with empty parts read as 0.
std::string AddressFieldText(const std::array<std::string, 4>& parts);

// The checks in the page's order: each field blank, then not an address, for
// the IP address, mask, gateway and primary DNS; then a secondary DNS equal to
// the primary. An address is four decimal parts of 0..255; 255.255.255.255 is
// refused in the first four fields. stored receives the values to keep.
CheckMessage CheckStaticAddresses(const StaticAddresses& typed, StaticAddresses& stored);

// SSID 1..32 bytes (not trimmed), then, unless security is SecurityNone, the
// key trimmed of white space at both ends must be 8..63 bytes. storedKey
// receives the trimmed key, or empty with SecurityNone: it is what the router
// gets and what the guides show.
CheckMessage CheckWireless(std::string_view ssid, std::string_view key, int securityIndex,
                           std::string& storedKey);

// Create-password page: both fields non-empty and equal.
CheckMessage CheckNewRouterPassword(std::string_view password, std::string_view reentered);

// Existing-password page: the existing password must not be empty...
CheckMessage CheckExistingRouterPassword(std::string_view password);
// ...and, when a change is asked for, the new password must not be empty and
// the confirmation must equal it (compared only once the router accepted the
// existing one).
CheckMessage CheckRouterPasswordConfirmation(std::string_view newPassword,
                                             std::string_view confirmation);
