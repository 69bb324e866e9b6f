#pragma once
// Every page of the wizard, by role. Pages open each other by id through the
// page registry, so frame/ and shell/ never need the classes of pages/ or guides/.

enum class PageId
{
    Welcome,               // CTarnixConnectDlg
    Preparations,          // CCheckDeviceTipsDlg
    InstallMode,           // CQuicKOrFirstInstallDlg
    Power,                 // CConfigPowerDlg
    Ethernet,              // CEthLineDlg
    DslLine,               // CDslLineDlg
    CreatePassword,        // CCreatePasswordDlg
    ExistingPassword,      // CFogetPassAndModifyDlg
    ResetInstructions,     // CForgotPassWordTipsDlg
    IspAndPvc,             // CConfigPvcDlg
    IspAccount,            // CConfigUserAndPassDlg
    StaticIp,              // CConfigStaticIPDlg
    Wireless,              // CConfigWiressDlg
    Apply,                 // CSaveIspDlg
    Success,               // CConfigSuccessDlg
    ErrorLightBox,         // CErrorTipsDlg
    JoinWireless,          // CJoinWiressDlg
    Troubleshooting,       // CTroubleShootingDlg
    RestoreConfiguration,  // CRestoreConfiguration
    Disclaimer,            // CDisclaimerDlg
};

// "InstallMode", for log lines and test messages.
const char* PageIdName(PageId id);
