#include "PageFlow.h"

#include "InputChecks.h"

namespace {

using C = FlowChoice;
using P = PageId;

constexpr FlowRow kFlow[] = {
    {P::Welcome, C::Next, P::Preparations},
    {P::Preparations, C::Next, P::InstallMode},
    // Quick install logs in at once; first install after the hardware pages.
    {P::InstallMode, C::FirstInstall, P::Power},
    {P::InstallMode, C::FactoryPassword, P::CreatePassword},
    {P::InstallMode, C::OwnPassword, P::ExistingPassword},
    {P::InstallMode, C::Restore, P::RestoreConfiguration},
    {P::Power, C::Next, P::Ethernet},
    {P::Ethernet, C::Next, P::DslLine},
    {P::DslLine, C::FactoryPassword, P::CreatePassword},
    {P::DslLine, C::OwnPassword, P::ExistingPassword},
    // A fresh install mode page, which offers the restore choice.
    {P::CreatePassword, C::Prev, P::InstallMode},
    {P::CreatePassword, C::Next, P::IspAndPvc},
    {P::ExistingPassword, C::ForgotPassword, P::ResetInstructions},
    {P::ExistingPassword, C::Next, P::IspAndPvc},
    {P::IspAndPvc, C::IspAccount, P::IspAccount},
    {P::IspAndPvc, C::StaticAddresses, P::StaticIp},
    {P::IspAndPvc, C::NoAddresses, P::Wireless},
    {P::IspAccount, C::Next, P::Wireless},
    {P::StaticIp, C::Next, P::Wireless},
    {P::Wireless, C::Next, P::Apply},
    {P::Apply, C::Online, P::Success},
    {P::Apply, C::Offline, P::ErrorLightBox},
    // Another attempt starts from a fresh ISP and PVC page.
    {P::ErrorLightBox, C::Close, P::IspAndPvc},
    {P::Success, C::Next, P::JoinWireless},
};

}  // namespace

std::span<const FlowRow> PageFlowTable()
{
    return kFlow;
}

std::optional<PageId> NextPage(PageId from, FlowChoice choice)
{
    for (const FlowRow& row : kFlow)
        if (row.From == from && row.Choice == choice)
            return row.To;
    return std::nullopt;
}

FlowChoice ProtocolChoice(int protocolIndex, int merDynamicIp)
{
    if (NeedsIspAccount(protocolIndex))
        return FlowChoice::IspAccount;
    if (NeedsStaticAddresses(protocolIndex, merDynamicIp))
        return FlowChoice::StaticAddresses;
    return FlowChoice::NoAddresses;
}

const char* FlowChoiceName(FlowChoice choice)
{
    switch (choice)
    {
    case C::Next: return "Next";
    case C::Prev: return "Prev";
    case C::FirstInstall: return "FirstInstall";
    case C::Restore: return "Restore";
    case C::FactoryPassword: return "FactoryPassword";
    case C::OwnPassword: return "OwnPassword";
    case C::ForgotPassword: return "ForgotPassword";
    case C::IspAccount: return "IspAccount";
    case C::StaticAddresses: return "StaticAddresses";
    case C::NoAddresses: return "NoAddresses";
    case C::Online: return "Online";
    case C::Offline: return "Offline";
    case C::Close: return "Close";
    }
    return "Unknown";
}
