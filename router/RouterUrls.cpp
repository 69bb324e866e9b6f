#include "RouterUrls.h"

#include "TextRules.h"
#include "WizardSettings.h"

namespace {

std::string Esc(std::string_view value)
{
    return EscapeQueryValue(value);
}

constexpr char kPppoeTemplate[] =
    "http://%s/internet_sum.cgi?atmVpi=%d&atmVci=%d&portId=0&atmServiceCategory=UBR&atmPeakCellRate=0&atmSustainedCellRate=0&atmMaxBurstSize=0&enblQos=1&schedulerAlgorithm=SP&queueWeight=1&grpPrecedence=8&ntwkPrtcl=0&linkType=EoA&enblv6=0&enblMld=0&encapMode=%d&enVlanMux=0&vlanMuxId=-1&vlanMuxPr=-1&connMode=0&quickSetup=0&pppUserName=%s&pppPassword=%s&enblOnDemand=0&pppTimeOut=&connectionTrigger=&pppToBridge=0&useStaticIpAddress=0&pppLocalIpAddress=0.0.0.0&pppIpExtension=0&pppAuthMethod=0&defaultGateway=0.0.0.0&maxMtu=1400&maxMru=1492&enblNat=1&enblFirewall=1&enblIgmp=1&serviceName=pppoe_0_%d_%d&keepalive=1&keepalivetime=30&alivemaxfail=5&sessionKey=%s";

constexpr char kPppoaTemplate[] =
    "http://%s/internet_sum.cgi?atmVpi=%d&atmVci=%d&portId=0&atmServiceCategory=UBR&atmPeakCellRate=0&atmSustainedCellRate=0&atmMaxBurstSize=0&enblQos=1&schedulerAlgorithm=SP&queueWeight=1&grpPrecedence=8&ntwkPrtcl=1&linkType=PPPoA&enblv6=0&enblMld=0&encapMode=%d&enVlanMux=0&vlanMuxId=-1&vlanMuxPr=-1&connMode=0&quickSetup=0&pppUserName=%s&pppPassword=%s&enblOnDemand=0&pppTimeOut=&connectionTrigger=&pppToBridge=0&useStaticIpAddress=0&pppLocalIpAddress=0.0.0.0&pppIpExtension=0&pppAuthMethod=0&defaultGateway=0.0.0.0&maxMtu=1400&maxMru=1492&enblNat=1&enblFirewall=1&enblIgmp=1&serviceName=pppoa_0_%d_%d&keepalive=1&keepalivetime=30&alivemaxfail=5&sessionKey=%s";

constexpr char kMerDynamicTemplate[] =
    "http://%s/internet_sum.cgi?atmVpi=%d&atmVci=%d&portId=0&atmServiceCategory=UBR&atmPeakCellRate=0&atmSustainedCellRate=0&atmMaxBurstSize=0&enblQos=1&schedulerAlgorithm=SP&queueWeight=1&grpPrecedence=8&linkType=EoA&enblv6=0&enblMld=0&encapMode=%d&enVlanMux=0&vlanMuxId=-1&vlanMuxPr=-1&connMode=0&quickSetup=0&maxMtu=1500&ntwkPrtcl=2&enblDhcpClnt=1&dnsDynamic=1&dnsPrimary=0.0.0.0&dnsSecondary=0.0.0.0&enblNat=1&enblFirewall=1&enblIgmp=1&serviceName=mer_0_%d_%d&keepalive=1&keepalivetime=30&alivemaxfail=5&sessionKey=%s";

constexpr char kMerStaticTemplate[] =
    "http://%s/internet_sum.cgi?atmVpi=%d&atmVci=%d&portId=0&atmServiceCategory=UBR&atmPeakCellRate=0&atmSustainedCellRate=0&atmMaxBurstSize=0&enblQos=1&schedulerAlgorithm=SP&queueWeight=1&grpPrecedence=8&linkType=EoA&enblv6=0&enblMld=0&encapMode=%d&enVlanMux=0&vlanMuxId=-1&vlanMuxPr=-1&connMode=0&quickSetup=0&maxMtu=1500&ntwkPrtcl=6&enblDhcpClnt=0&wanIpAddress=%s&wanSubnetMask=%s&wanIntfGateway=%s&dnsDynamic=0&wanInfDnsPrimary=%s&wanInfDnsSecondary=%s&enblNat=1&enblFirewall=1&enblIgmp=1&serviceName=mer_0_%d_%d&keepalive=1&keepalivetime=30&alivemaxfail=5&sessionKey=%s";

constexpr char kIpoaTemplate[] =
    "http://%s/internet_sum.cgi?atmVpi=%d&atmVci=%d&portId=0&atmServiceCategory=UBR&atmPeakCellRate=0&atmSustainedCellRate=0&atmMaxBurstSize=0&enblQos=1&schedulerAlgorithm=SP&queueWeight=1&grpPrecedence=8&ntwkPrtcl=5&linkType=IPoA&encapMode=%d&enVlanMux=0&vlanMuxId=-1&vlanMuxPr=-1&connMode=0&quickSetup=0&enblDhcpClnt=0&wanIpAddress=%s&wanSubnetMask=%s&wanIntfGateway=%s&wanInfDnsPrimary=%s&wanInfDnsSecondary=%s&dnsDynamic=0&enblNat=1&enblFirewall=1&enblIgmp=1&serviceName=ipoa_0_%d_%d&keepalive=1&keepalivetime=30&alivemaxfail=5&sessionKey=%s";

constexpr char kBridgeTemplate[] =
    "http://%s/internet_sum.cgi?atmVpi=%d&atmVci=%d&portId=0&atmServiceCategory=UBR&atmPeakCellRate=0&atmSustainedCellRate=0&atmMaxBurstSize=0&enblQos=1&schedulerAlgorithm=SP&queueWeight=1&grpPrecedence=8&ntwkPrtcl=3&linkType=EoA&encapMode=%d&enVlanMux=0&vlanMuxId=-1&vlanMuxPr=-1&connMode=0&quickSetup=0&enblFirewall=0&enblNat=0&serviceName=br_0_%d_%d&keepalive=1&keepalivetime=30&alivemaxfail=5&sessionKey=%s";

constexpr char kWirelessBasicTemplate[] =
    "http://%s/wlcfg.wl?wlSsidIdx=0&wlEnbl=1&wlHide=0&wlAPIsolation=0&wlSsid=%s&wlCountry=%s&wlMaxAssoc=16&wlChannel=9&wlDisableWme=0&wlEnableWmf=1&wlgMode=1&wlNmode=auto&wlNReqd=1&wlWme=1&wlNBwCap=1&wlNCtrlsb=-1&wsc_config_state=1&wlSyncNvram=1&sessionKey=%s";

constexpr char kWpaTemplate[] =
    "http://%s/wlsecurity.wl?wl_wsc_reg=enabled&wsc_config_state=1&wlAuthMode=psk&wlAuth=0&wlWpaPsk=%s&wlWpaGtkRekey=0&wlNetReauth=36000&wlWep=disabled&wlWpa=aes&wlKeyBit=1&wlPreauth=0&wl_wsc_mode=disabled&wlSsidIdx=1&wlSyncNvram=1&sessionKey=%s";

constexpr char kWpa2Template[] =
    "http://%s/wlsecurity.wl?wl_wsc_reg=enabled&wsc_config_state=1&wlAuthMode=psk2&wlAuth=0&wlWpaPsk=%s&wlWpaGtkRekey=0&wlNetReauth=36000&wlWep=disabled&wlWpa=aes&wlKeyBit=1&wlPreauth=0&wl_wsc_mode=disabled&wlSsidIdx=1&wlSyncNvram=1&sessionKey=%s";

constexpr char kOpenTemplate[] =
    "http://%s/wlsecurity.wl?wl_wsc_reg=enabled&wsc_config_state=1&wlAuthMode=open&wlAuth=0&wlWep=disabled&wlWpa=aes&wlKeyBit=1&wlPreauth=0&wl_wsc_mode=disabled&wlSsidIdx=1&wlSyncNvram=1&sessionKey=%s";

constexpr char kPasswordTemplate[] =
    "http://%s/password.cgi?inUserName=admin&inPassword=%s&inOrgPassword=%s&newUserName=admin&oldPassword=%s&newPassword=%s&oldUserName=admin&sessionKey=%s";

// The router's PPPoA form counts the encapsulations the other way round.
int PppoaEncapsulation(int index)
{
    if (index == EncapsulationLlc)
        return EncapsulationVcMux;
    if (index == EncapsulationVcMux)
        return EncapsulationLlc;
    return index;
}

}  // namespace

std::optional<std::string> PageUrl(std::string_view host, std::string_view page)
{
    return FillTemplate("http://%s/%s", {host, page}, kShortUrlBuffer);
}

std::optional<std::string> LoginBody(std::string_view userName, std::string_view password)
{
    return FillTemplate("username=%s&password=%s&validateCode=&loginfo=on",
                        {Esc(userName), Esc(password)}, kLoginBodyBuffer);
}

std::optional<std::string> LogoutUrl(std::string_view userName, std::string_view password,
                                     std::string_view host)
{
    return FillTemplate("http://%s:%s@%s/cgi-bin/webproc?logout", {userName, password, host},
                        kShortUrlBuffer);
}

std::optional<std::string> QuickSetupUrl(std::string_view host, std::string_view sessionKey)
{
    return FillTemplate(
        "http://%s/internet_setup.cmd?serviceId=0&upStrMode=1&ethUsed=0&sessionKey=%s",
        {host, Esc(sessionKey)}, kShortUrlBuffer);
}

std::optional<std::string> RemoveServiceUrl(std::string_view host, std::string_view name,
                                            std::string_view sessionKey)
{
    return FillTemplate("http://%s/dlwancfg.cmd?action=remove&rmLst=%s&sessionKey=%s",
                        {host, Esc(name), Esc(sessionKey)}, kShortUrlBuffer);
}

std::optional<std::string> AddServiceUrl(std::string_view host, std::string_view sessionKey)
{
    return FillTemplate("http://%s/dlwancfg.cmd?action=add&sessionKey=%s", {host, Esc(sessionKey)},
                        kShortUrlBuffer);
}

WanVariant WanVariantFor(const WizardSettings& settings)
{
    switch (settings.ProtocolIndex)
    {
    case ProtocolPppoe: return WanVariant::Pppoe;
    case ProtocolPppoa: return WanVariant::Pppoa;
    case ProtocolMer:
        return settings.MerDynamicIp == MerIpDynamic ? WanVariant::MerDynamic
                                                     : WanVariant::MerStatic;
    case ProtocolIpoa: return WanVariant::Ipoa;
    default: return WanVariant::Bridge;
    }
}

std::optional<std::string> WanSummaryUrl(WanVariant variant, const WizardSettings& s,
                                         std::string_view host, std::string_view sessionKey)
{
    const int vpi = s.AtmVpi;
    const int vci = s.AtmVci;
    const int encap = s.EncapsulationIndex;
    const std::string key = Esc(sessionKey);
    switch (variant)
    {
    case WanVariant::Pppoe:
        return FillTemplate(
            kPppoeTemplate,
            {host, vpi, vci, encap, Esc(s.PppUserName), Esc(s.PppPassword), vpi, vci, key},
            kLongUrlBuffer);
    case WanVariant::Pppoa:
        return FillTemplate(kPppoaTemplate,
                            {host, vpi, vci, PppoaEncapsulation(encap), Esc(s.PppUserName),
                             Esc(s.PppPassword), vpi, vci, key},
                            kLongUrlBuffer);
    case WanVariant::MerDynamic:
        return FillTemplate(kMerDynamicTemplate, {host, vpi, vci, encap, vpi, vci, key},
                            kLongUrlBuffer);
    case WanVariant::MerStatic:
    case WanVariant::Ipoa:
        return FillTemplate(variant == WanVariant::Ipoa ? kIpoaTemplate : kMerStaticTemplate,
                            {host, vpi, vci, encap, Esc(s.StaticIpAddress), Esc(s.StaticSubnetMask),
                             Esc(s.StaticGateway), Esc(s.StaticPrimaryDns),
                             Esc(s.StaticSecondaryDns), vpi, vci, key},
                            kLongUrlBuffer);
    case WanVariant::Bridge: break;
    }
    return FillTemplate(kBridgeTemplate, {host, vpi, vci, encap, vpi, vci, key}, kLongUrlBuffer);
}

std::optional<std::string> WirelessBasicUrl(const WizardSettings& settings, std::string_view host,
                                            std::string_view sessionKey)
{
    const std::string name = Esc(settings.Ssid);
    if (name.size() + 1 > kSsidBuffer)
        return std::nullopt;
    const char* country = settings.CountryIndex == CountryNewZealand ? "NZ" : "AU";
    return FillTemplate(kWirelessBasicTemplate, {host, name, country, Esc(sessionKey)},
                        kLongUrlBuffer);
}

std::optional<std::string> WirelessSecurityUrl(std::string_view host, std::string_view wirelessKey,
                                               int securityIndex, std::string_view sessionKey)
{
    const std::string key = Esc(sessionKey);
    if (SecurityHasKey(securityIndex))
    {
        return FillTemplate(securityIndex == SecurityWpa ? kWpaTemplate : kWpa2Template,
                            {host, Esc(wirelessKey), key}, kLongUrlBuffer);
    }
    return FillTemplate(kOpenTemplate, {host, key}, kLongUrlBuffer);
}

std::optional<std::string> PasswordChangeUrl(const WizardSettings& s, std::string_view host,
                                             std::string_view sessionKey)
{
    const std::string newPassword = Esc(s.NewRouterPassword);
    const std::string oldPassword = Esc(s.RouterPassword);
    return FillTemplate(kPasswordTemplate,
                        {host, newPassword, oldPassword, oldPassword, newPassword, Esc(sessionKey)},
                        kShortUrlBuffer);
}
