#pragma once
// Positions in the pages' drop-down lists, which are the values WizardSettings
// stores: list order is data. Here, in the lowest layer, so that the router
// link and the guides read the stored values by name as the pages do.

inline constexpr int CountryAustralia = 0;
inline constexpr int CountryNewZealand = 1;

inline constexpr int ProtocolPppoe = 0;
inline constexpr int ProtocolPppoa = 1;
inline constexpr int ProtocolMer = 2;
inline constexpr int ProtocolIpoa = 3;
inline constexpr int ProtocolBridge = 4;

inline constexpr int EncapsulationLlc = 0;
inline constexpr int EncapsulationVcMux = 1;

inline constexpr int SecurityWpa = 0;
inline constexpr int SecurityWpa2 = 1;
inline constexpr int SecurityNone = 2;

// WizardSettings::MerDynamicIp
inline constexpr int MerIpStatic = 0;
inline constexpr int MerIpDynamic = 1;

// Whether the security level takes a wireless key (WPA and WPA2).
constexpr bool SecurityHasKey(int securityIndex)
{
    return securityIndex == SecurityWpa || securityIndex == SecurityWpa2;
}
