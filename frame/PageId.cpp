#include "PageId.h"

const char* PageIdName(PageId id)
{
    switch (id)
    {
    case PageId::Welcome: return "Welcome";
    case PageId::Preparations: return "Preparations";
    case PageId::InstallMode: return "InstallMode";
    case PageId::Power: return "Power";
    case PageId::Ethernet: return "Ethernet";
    case PageId::DslLine: return "DslLine";
    case PageId::CreatePassword: return "CreatePassword";
    case PageId::ExistingPassword: return "ExistingPassword";
    case PageId::ResetInstructions: return "ResetInstructions";
    case PageId::IspAndPvc: return "IspAndPvc";
    case PageId::IspAccount: return "IspAccount";
    case PageId::StaticIp: return "StaticIp";
    case PageId::Wireless: return "Wireless";
    case PageId::Apply: return "Apply";
    case PageId::Success: return "Success";
    case PageId::ErrorLightBox: return "ErrorLightBox";
    case PageId::JoinWireless: return "JoinWireless";
    case PageId::Troubleshooting: return "Troubleshooting";
    case PageId::RestoreConfiguration: return "RestoreConfiguration";
    case PageId::Disclaimer: return "Disclaimer";
    }
    return "Unknown";
}
