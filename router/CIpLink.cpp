#include "CIpLink.h"

#include "HttpTransport.h"
#include "RouterStatus.h"
#include "RouterUrls.h"
#include "TextRules.h"
#include "WizardSettings.h"

#include <atomic>
#include <new>
#include <optional>

using OptText = std::optional<std::string>;

CIpLink::CIpLink(const WizardSettings& settings) : m_settings(settings)
{
}
CIpLink::~CIpLink() = default;

bool CIpLink::Get(const OptText& url, const OptText& cookie, std::string* page)
{
    if (!url || !cookie)
        return false;  // nothing sent: the last answer stands
    HttpReply reply = HttpGetReply(*url, *cookie, m_timeouts.PageRead, m_cancelled);
    m_lastAnswered = reply.Answered;
    if (!reply.Ok())
        return false;
    if (page)
        *page = std::move(reply.Body);
    return true;
}

bool CIpLink::Login()
{
    const OptText url = PageUrl(m_routerAddress, "index.html");
    const OptText body = LoginBody(m_userName, m_password);
    std::string answer;
    // The post fails only when nothing answered over HTTP.
    m_lastAnswered = url && body
                     && HttpPostWithHeaders(*url, *body, &answer, m_timeouts.Post, m_cancelled);
    if (!m_lastAnswered)
        return false;
    const std::optional<std::string> cookie = SessionCookieInLoginAnswer(answer);
    // A cookie that could not be sent back is no session.
    if (!cookie || HasLineBreakOrNul(*cookie))
        return false;
    m_sessionCookie = *cookie;
    return !m_sessionCookie.empty();
}

bool CIpLink::Logout()
{
    return Get(LogoutUrl(m_userName, m_password, m_routerAddress), std::string());
}

bool CIpLink::Relogin()
{
    return Login();
}

bool CIpLink::IsDslLineUp()
{
    std::string page;
    if (!Get(PageUrl(m_routerAddress, "info.html"), std::string(), &page))
        return false;
    const std::string cell = DownstreamRateCell(page);
    return !cell.empty() && cell != "0";
}

bool CIpLink::DeleteAllWanServices()
{
    const OptText url = PageUrl(m_routerAddress, "form2WanAdsl.cgi");
    return url
           && HttpPostChecked(*url, "DeleteALL=DeleteALL&submit.htm%3Fwanadsl_auto_droute.htm=Send",
                              std::string(), m_timeouts.Post, m_cancelled, GetErrorNotifier());
}

bool CIpLink::ApplyWanService()
{
    // An add request that cannot be sent must not cost the user the service
    // the router has now: check it before anything is removed.
    const WanVariant variant = WanVariantFor(m_settings);
    const OptText cookie = ApplyCookie(m_password, m_sessionCookie);
    if (!cookie || !ServiceCookie(variant)
        || !WanSummaryUrl(variant, m_settings, m_routerAddress, ""))
        return false;
    RemoveExistingServices();
    const OptText formUrl = PageUrl(m_routerAddress, "setup_wancfg.html");
    const std::string key1 = formUrl ? FetchSessionKey(*formUrl, *cookie) : std::string();
    const OptText setupUrl = QuickSetupUrl(m_routerAddress, key1);
    const std::string key2 = setupUrl ? FetchSessionKey(*setupUrl, *cookie) : std::string();
    switch (m_settings.ProtocolIndex)
    {
    case ProtocolPppoe: return AddPppoeService(key2) >= 0;
    case ProtocolPppoa: return AddPppoaService(key2) >= 0;
    case ProtocolMer: return AddMerService(key2) >= 0;
    case ProtocolIpoa: return AddIpoaService(key2) >= 0;
    default: return AddBridgeService(key2) >= 0;
    }
}

int CIpLink::ApplyWirelessBasic()
{
    const OptText cookie = WirelessCookie(m_password, m_sessionCookie);
    const OptText formUrl = PageUrl(m_routerAddress, "wlcfg.html");
    const std::string key = formUrl && cookie ? FetchSessionKey(*formUrl, *cookie) : std::string();
    return Get(WirelessBasicUrl(m_settings, m_routerAddress, key), cookie) ? 0 : -1;
}

RouterErrorNotifier CIpLink::GetErrorNotifier() const
{
    std::lock_guard lock(m_notifierMutex);
    return m_notifier;
}

void CIpLink::SetErrorNotifier(RouterErrorNotifier notifier)
{
    std::lock_guard lock(m_notifierMutex);
    m_notifier = std::move(notifier);
}

bool CIpLink::PvcExists(int vpi, int vci)
{
    const std::string circuit = std::to_string(vpi) + "/" + std::to_string(vci);
    const OptText url = PageUrl(m_routerAddress, "setup_wancfg.html");
    std::string page;
    if (!url
        || !HttpPostChecked(*url, std::string(), std::string(), m_timeouts.Post, m_cancelled,
                            GetErrorNotifier())
        || !HttpGet(*url, std::string(), &page, m_timeouts.PageRead, m_cancelled))
        return false;
    const std::size_t at = page.find(circuit);
    return at != std::string::npos && at > 0;
}

std::string CIpLink::FetchSessionKey(const std::string& url, const std::string& cookie)
{
    std::string page;
    if (!HttpGet(url, cookie, &page, m_timeouts.PageRead, m_cancelled))
        return {};
    return ExtractSessionKey(page);
}

int CIpLink::RemoveExistingServices()
{
    std::string page;
    if (!Get(PageUrl(m_routerAddress, "setup_wancfg.html"),
             AdminCookie(m_password, m_sessionCookie), &page))
        return -1;
    const std::string list = TextBetween(page, "lay2andlay3info", "X_BROADCOM_COM_IfName");
    for (const std::string& name : ServiceNamesInList(list))
        RemoveService(name);
    return 0;
}

bool CIpLink::RemoveService(const std::string& name)
{
    const OptText cookie = ApplyCookie(m_password, m_sessionCookie);
    const OptText formUrl = PageUrl(m_routerAddress, "setup_wancfg.html");
    if (name.empty() || !cookie || !formUrl)
        return false;
    const std::string key = FetchSessionKey(*formUrl, *cookie);
    return Get(RemoveServiceUrl(m_routerAddress, name, key), cookie);
}

std::optional<std::string> CIpLink::ServiceCookie(WanVariant variant) const
{
    const bool admin = variant == WanVariant::Ipoa || variant == WanVariant::Bridge;
    return admin ? ApplyAdminCookie(m_password, m_sessionCookie)
                 : ApplyCookie(m_password, m_sessionCookie);
}

int CIpLink::AddService(WanVariant variant, const std::string& sessionKey)
{
    const OptText cookie = ServiceCookie(variant);
    std::string page;
    if (!Get(WanSummaryUrl(variant, m_settings, m_routerAddress, sessionKey), cookie, &page))
        return -1;
    return Get(AddServiceUrl(m_routerAddress, ExtractSessionKey(page)), cookie) ? 0 : -1;
}

int CIpLink::AddPppoeService(const std::string& sessionKey)
{
    return AddService(WanVariant::Pppoe, sessionKey);
}

int CIpLink::AddPppoaService(const std::string& sessionKey)
{
    return AddService(WanVariant::Pppoa, sessionKey);
}

int CIpLink::AddMerService(const std::string& sessionKey)
{
    const bool dynamic = m_settings.MerDynamicIp == MerIpDynamic;
    return AddService(dynamic ? WanVariant::MerDynamic : WanVariant::MerStatic, sessionKey);
}

int CIpLink::AddIpoaService(const std::string& sessionKey)
{
    return AddService(WanVariant::Ipoa, sessionKey);
}

int CIpLink::AddBridgeService(const std::string& sessionKey)
{
    return AddService(WanVariant::Bridge, sessionKey);
}

int CIpLink::ApplyWirelessSecurity(const std::string& wirelessKey, int securityIndex)
{
    const OptText cookie = SecurityCookie(m_password, m_sessionCookie);
    const OptText formUrl = PageUrl(m_routerAddress, "wlsecurity.html");
    const std::string key = formUrl && cookie ? FetchSessionKey(*formUrl, *cookie) : std::string();
    const OptText url = WirelessSecurityUrl(m_routerAddress, wirelessKey, securityIndex, key);
    return Get(url, cookie) ? 0 : -1;
}

int CIpLink::ChangeRouterPassword()
{
    const OptText cookie = AdminCookie(m_password, m_sessionCookie);
    const OptText formUrl = PageUrl(m_routerAddress, "password.html");
    const std::string key = formUrl && cookie ? FetchSessionKey(*formUrl, *cookie) : std::string();
    // The old password is the one this link logs in with: after an earlier
    // run's change in this process, that is no longer RouterPassword.
    WizardSettings change;
    change.RouterPassword = m_password;
    change.NewRouterPassword = m_settings.NewRouterPassword;
    std::string page;
    if (!Get(PasswordChangeUrl(change, m_routerAddress, key), cookie, &page))
        return -1;
    return page.find("Password change failed") == std::string::npos ? 0 : -1;
}

void CIpLink::ReadWirelessSettings(CIpLink& link, std::string& name, std::string& key)
{
    std::string page;
    if (!link.Get(PageUrl(link.GetRouterAddress(), "wlsecurity.html"), std::string(), &page))
        return;
    name = TextBetween(page, "value='1'>", "</option>");
    key = TextBetween(page, "wpaPskKey = '", "'");
}

namespace {
// Read by the workers that log in; changed only while none runs.
std::atomic<CIpLink*> g_sessionLink{nullptr};
}  // namespace

CIpLink* GetRouterLink()
{
    if (CIpLink* link = g_sessionLink.load())
        return link;
    static CIpLink* const own = new (std::nothrow) CIpLink(GetWizardSettings());
    return own;
}

void UseRouterLink(CIpLink* link)
{
    g_sessionLink = link;
}

void SetLinkPassword(const std::string& password)
{
    if (CIpLink* link = GetRouterLink())
        link->SetPassword(password);
}

bool LoginWithOneRetry(CIpLink& link)
{
    return link.Login() || link.Login();
}
