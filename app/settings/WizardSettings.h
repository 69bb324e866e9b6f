#pragma once
// Everything the user chose on the wizard's pages, plus the little state the
// apply run keeps between runs. One instance lives for the whole process; it is
// never saved and never reset. Pages write their fields only when their NEXT is
// accepted; the router requests and the apply run read them.
//
// Narrow texts are what goes on the wire (UTF-8 here), wide texts are what the
// guides show (UTF-16). Where both exist the same NEXT handler writes both.

#include "ListPositions.h"
#include "RouterDefaults.h"

#include <string>

class CQuicKOrFirstInstallDlg;

struct WizardSettings {
    bool FirstInstallPath = false;

    int CountryIndex = 0;        // 0 Australia, 1 New Zealand
    int ProtocolIndex = 0;       // 0 PPPoE, 1 PPPoA, 2 MER, 3 IPoA, 4 Bridge
    int EncapsulationIndex = 0;  // 0 LLC, 1 VC Mux
    int AtmVpi = 0;
    int AtmVci = 0;
    int MerDynamicIp = 0;        // MER only: 1 dynamic, 0 static

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
    int WirelessSecurityIndex = 0;  // 0 WPA, 1 WPA2, 2 none

    std::string RouterPassword;     // what the router has now
    std::string NewRouterPassword;
    std::u16string NewRouterPasswordW;
    bool PasswordChangeRequested = false;
    bool RouterPasswordChanged = false;
    std::string PasswordAfterChange = kFactoryPassword;

    // The most recently opened install mode page; it clears this when it closes.
    CQuicKOrFirstInstallDlg* ModePageWindow = nullptr;
};

// The process-wide record.
inline WizardSettings& GetWizardSettings()
{
    static WizardSettings settings;
    return settings;
}
