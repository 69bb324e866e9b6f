#include "RouterSim.h"
#include "SimHttp.h"

#include <httplib.h>

#include <sstream>

std::string RawQuery(const httplib::Request& req)
{
    const std::size_t mark = req.target.find('?');
    return mark == std::string::npos ? std::string() : req.target.substr(mark + 1);
}

std::string Html(const std::string& title, const std::string& content)
{
    return "<html><head><title>" + title + "</title></head><body>\n" + content
           + "\n</body></html>\n";
}

namespace {

using Params = std::map<std::string, std::string>;

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// %XX decoding only: the router does not read '+' as a blank.
std::string PercentDecode(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        const int high = i + 2 < text.size() && text[i] == '%' ? HexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(text[i + 2]) : -1;
        if (low >= 0)
        {
            out += char(high * 16 + low);
            i += 2;
        }
        else
        {
            out += text[i];
        }
    }
    return out;
}

Params DecodeQuery(std::string_view query)
{
    Params params;
    while (!query.empty())
    {
        const std::size_t amp = query.find('&');
        const std::string_view pair = query.substr(0, amp);
        const std::size_t eq = pair.find('=');
        const std::string name = PercentDecode(pair.substr(0, eq));
        if (!name.empty() && !params.count(name))
            params[name] = eq == std::string_view::npos ? std::string()
                                                        : PercentDecode(pair.substr(eq + 1));
        query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
    }
    return params;
}

std::string Param(const Params& params, const std::string& name)
{
    const auto it = params.find(name);
    return it == params.end() ? std::string() : it->second;
}

// The value of the cookie called name in a Cookie header, if present.
std::optional<std::string> CookieValue(std::string_view header, std::string_view name)
{
    while (!header.empty())
    {
        const std::size_t semi = header.find(';');
        std::string_view part = header.substr(0, semi);
        while (!part.empty() && part.front() == ' ')
            part.remove_prefix(1);
        if (part.size() > name.size() && part.substr(0, name.size()) == name
            && part[name.size()] == '=')
            return std::string(part.substr(name.size() + 1));
        header = semi == std::string_view::npos ? std::string_view() : header.substr(semi + 1);
    }
    return std::nullopt;
}

std::string KeyScript(const std::string& key)
{
    return "<script language='javascript'>\nvar sessionKey = '" + key + "';\n</script>\n";
}

bool IsOneOf(const std::string& path, std::initializer_list<const char*> paths)
{
    for (const char* p : paths)
    {
        if (path == p)
            return true;
    }
    return false;
}

bool NeedsSession(const std::string& path)
{
    return IsOneOf(path,
                   {"/internet_setup.cmd", "/internet_sum.cgi", "/dlwancfg.cmd", "/wlcfg.html",
                    "/wlcfg.wl", "/wlsecurity.wl", "/password.html", "/password.cgi"});
}

bool NeedsKey(const std::string& path)
{
    return IsOneOf(path, {"/internet_setup.cmd", "/internet_sum.cgi", "/dlwancfg.cmd", "/wlcfg.wl",
                          "/wlsecurity.wl", "/password.cgi"});
}

std::string ServiceEntry(const SimWanService& service)
{
    return service.Name + "}" + Param(service.Params, "linkType") + "}"
           + Param(service.Params, "atmVpi") + "/" + Param(service.Params, "atmVci");
}

}  // namespace

std::string RouterSim::NewSessionKey()
{
    m_sessionKey = std::to_string(100000 + m_random() % 900000);
    return m_sessionKey;
}

// Shorter than any key or cookie handed out, so never valid.
std::string RouterSim::StaleValue()
{
    return std::to_string(m_random() % 100000);
}

bool RouterSim::ConsumeSessionKey(const std::string& offered)
{
    const bool valid = !m_refuseKeys && !m_sessionKey.empty() && offered == m_sessionKey;
    m_sessionKey.clear();
    return valid;
}

bool RouterSim::HasSession(const httplib::Request& req) const
{
    const auto cookie = CookieValue(req.get_header_value("Cookie"), "webuicookie");
    return cookie && !m_sessionCookie.empty() && *cookie == m_sessionCookie;
}

// Called with m_mutex held.
void RouterSim::Answer(const httplib::Request& req, httplib::Response& res, const SimFault& fault)
{
    const Params query = DecodeQuery(RawQuery(req));
    const bool markers = !fault.MissingMarker;
    if (NeedsSession(req.path) && !HasSession(req))
    {
        res.status = 302;
        res.set_header("Location", "/index.html");
        res.set_content(Html("Moved", "Please log in."), "text/html");
        return;
    }
    if (NeedsKey(req.path) && !ConsumeSessionKey(Param(query, "sessionKey")))
    {
        res.status = 403;
        res.set_content(Html("Forbidden", "Invalid session key."), "text/html");
        return;
    }
    // Pages with markers of their own lose those; the others lose their key.
    const bool ownMarkers = IsOneOf(req.path, {"/setup_wancfg.html", "/wlsecurity.html"});
    std::string key = markers || ownMarkers ? KeyScript(NewSessionKey()) : std::string();
    if (fault.RepeatedMarker && !key.empty())
        key = KeyScript(StaleValue()) + key;
    std::string page;
    if (req.path == "/index.html")
        page = LoginAnswer(req, res, fault.RepeatedMarker);
    else if (req.path == "/cgi-bin/webproc")
        page = Logout();
    else if (req.path == "/setup_wancfg.html")
        page = Html("WAN Setup",
                    key + (markers ? ServiceListScript(fault.ServiceList) : std::string()));
    else if (req.path == "/internet_setup.cmd")
        page = Html("Quick Setup", key + "Service 0");
    else if (req.path == "/internet_sum.cgi")
        page = WanSummary(query, key);
    else if (req.path == "/dlwancfg.cmd")
        page = ChangeWanServices(query);
    else if (req.path == "/form2WanAdsl.cgi")
        page = DeleteAllServices(req);
    else if (req.path == "/wlcfg.html" || req.path == "/password.html")
        page = Html("Settings", key + "<form></form>");
    else if (req.path == "/wlcfg.wl")
        page = ApplyWirelessBasic(query);
    else if (req.path == "/wlsecurity.html")
        page = WirelessSecurityPage(key, markers);
    else if (req.path == "/wlsecurity.wl")
        page = ApplyWirelessSecurity(query);
    else if (req.path == "/password.cgi")
        page = ChangePassword(query);
    else if (req.path == "/info.html")
        page = StatusPage(markers);
    else if (req.path == "/support")
        page = Html("Support", markers ? "Tarnix support: modem routers." : "Not here.");
    else if (req.path == "/__sim/state")
        return res.set_content(FormatSimState(m_state), "text/plain");
    if (page.empty())
    {
        res.status = 404;
        res.set_content(Html("Not Found", req.path), "text/html");
        return;
    }
    res.set_content(page, "text/html");
}

std::string RouterSim::LoginAnswer(const httplib::Request& req, httplib::Response& res, bool twice)
{
    if (req.method != "POST")
        return Html("Login", "<form method='post' action='index.html'><input name='username'>"
                             "<input type='password' name='password'></form>");
    const Params form = DecodeQuery(req.body);
    const bool accepted = m_refusedLogins == 0 && Param(form, "username") == kRouterUserName
                          && Param(form, "password") == m_state.AdminPassword;
    if (m_refusedLogins > 0)
        --m_refusedLogins;
    if (!accepted)
        return Html("Login", "Login failed.");
    m_sessionCookie = std::to_string(m_random());
    if (twice)
        res.set_header("Set-Cookie", "webuicookie=" + StaleValue() + "; path=/");
    res.set_header("Set-Cookie", "webuicookie=" + m_sessionCookie + "; path=/");
    return Html("Router", "Welcome.");
}

std::string RouterSim::Logout()
{
    m_sessionCookie.clear();
    return Html("Logout", "Logged out.");
}

std::string RouterSim::ServiceListScript(const std::optional<std::string>& given) const
{
    std::string entries;
    for (const SimWanService& service : m_state.Services)
        entries += (entries.empty() ? "" : "|,|") + ServiceEntry(service);
    entries = given.value_or(entries);
    return "<script language='javascript'>\nvar lay2andlay3info = '" + entries
           + "';\nvar X_BROADCOM_COM_IfName = 'atm0';\n</script>\n";
}

std::string RouterSim::WanSummary(const Params& query, const std::string& key)
{
    m_pendingService = query;
    m_pendingService.erase("sessionKey");
    return Html("WAN Summary", key + "Service " + Param(query, "serviceName"));
}

std::string RouterSim::ChangeWanServices(const Params& query)
{
    const std::string action = Param(query, "action");
    if (action == "add" && !m_pendingService.empty())
    {
        m_state.Services.push_back({Param(m_pendingService, "serviceName"), m_pendingService});
        m_pendingService.clear();
    }
    else if (action == "remove")
    {
        std::istringstream names(Param(query, "rmLst"));
        for (std::string name; std::getline(names, name, ',');)
            std::erase_if(m_state.Services, [&](const SimWanService& s) { return s.Name == name; });
    }
    return Html("WAN Setup", "Done.");
}

std::string RouterSim::DeleteAllServices(const httplib::Request& req)
{
    if (req.method == "POST" && Param(DecodeQuery(req.body), "DeleteALL") == "DeleteALL")
        m_state.Services.clear();
    return Html("WAN", "Done.");
}

std::string RouterSim::ApplyWirelessBasic(const Params& query)
{
    m_state.Ssid = Param(query, "wlSsid");
    m_state.Country = Param(query, "wlCountry");
    m_state.WirelessEnabled = Param(query, "wlEnbl") == "1";
    return Html("Wireless", "Saved.");
}

std::string RouterSim::WirelessSecurityPage(const std::string& key, bool markers) const
{
    if (!markers)
        return Html("Wireless Security", "<select></select>");
    return Html("Wireless Security",
                key + "<select name='wlSsidIdx'><option value='1'>" + m_state.Ssid
                    + "</option></select>\n<script language='javascript'>\nvar wpaPskKey = '"
                    + m_state.Key + "';\n</script>");
}

std::string RouterSim::ApplyWirelessSecurity(const Params& query)
{
    m_state.Security = Param(query, "wlAuthMode");
    if (query.count("wlWpaPsk"))
        m_state.Key = Param(query, "wlWpaPsk");
    return Html("Wireless Security", "Saved.");
}

std::string RouterSim::ChangePassword(const Params& query)
{
    const bool oldMatches = Param(query, "oldPassword") == m_state.AdminPassword
                            && Param(query, "inOrgPassword") == m_state.AdminPassword;
    const std::string newPassword = Param(query, "newPassword");
    if (!oldMatches || newPassword.empty() || newPassword != Param(query, "inPassword"))
        return Html("Password", "Password change failed");
    m_state.AdminPassword = newPassword;
    return Html("Password", "Password changed.");
}

std::string RouterSim::StatusPage(bool markers) const
{
    const std::string row = markers ? "<tr><td>Downstream Line Rate (Kbps):</td><td>"
                                          + m_state.DownstreamRate + "</td></tr>\n"
                                    : std::string();
    return Html("Device Info",
                "<table>\n<tr><td>Model</td><td>KRX-5100A</td></tr>\n" + row + "</table>");
}
