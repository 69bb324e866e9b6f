#pragma once
// Everything the user chose on the wizard's pages, plus the little state the
// apply run keeps between runs. The wizard's session owns one for the whole
// run; it is never saved and never reset. Pages write their fields only when their NEXT is
// accepted; the router requests and the apply run read them.
//
// Narrow texts are what goes on the wire (UTF-8 here), wide texts are what the
// guides show (UTF-16). Where both exist the same NEXT handler writes both.

#include "ListPositions.h"
#include "RouterDefaults.h"

#include <string>

struct WizardSettings
{
    bool FirstInstallPath = false;

    int CountryIndex = CountryAustralia;  // list positions: ListPositions.h
    int ProtocolIndex = ProtocolPppoe;
    int EncapsulationIndex = EncapsulationLlc;
    int AtmVpi = 0;
    int AtmVci = 0;
    int MerDynamicIp = MerIpStatic;  // MER only

    std::string PppUserName;
    std::string PppPassword;

    std::string StaticIpAddress;
    std::string StaticSubnetMask;
    std::string StaticGateway;
    std::string StaticPrimaryDns;
    std::string StaticSecondaryDns;

    std::string Ssid;
    std::u16string SsidW;
    std::string WirelessKey;
    std::u16string WirelessKeyW;
    int WirelessSecurityIndex = SecurityWpa;

    std::string RouterPassword;  // what the router has now
    std::string NewRouterPassword;
    std::u16string NewRouterPasswordW;
    bool PasswordChangeRequested = false;
    bool RouterPasswordChanged = false;
    std::string PasswordAfterChange = kFactoryPassword;
};

inline WizardSettings* g_sessionSettings = nullptr;

// The record of the wizard's session in force (WizardSession); a record of
// its own where no session is made (the command line, the lower layers' tests).
inline WizardSettings& GetWizardSettings()
{
    static WizardSettings own;
    return g_sessionSettings ? *g_sessionSettings : own;
}

// For the session: the record GetWizardSettings returns from now on (null: its own).
inline void UseWizardSettings(WizardSettings* settings)
{
    g_sessionSettings = settings;
}
