#include "RequestLogChecks.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string_view>

namespace {

// The forms that carry the router's one-time key as their last parameter.
const std::vector<std::string> kKeyedPaths = {"/internet_setup.cmd", "/internet_sum.cgi",
                                              "/dlwancfg.cmd",       "/wlcfg.wl",
                                              "/wlsecurity.wl",      "/password.cgi"};
// The requests formatted into the long URL buffer; every other one has 512 bytes.
const std::vector<std::string> kLongUrlPaths = {"/internet_sum.cgi", "/wlcfg.wl", "/wlsecurity.wl"};

const std::map<std::string, RunStage> kStageOfPath = {
    {"/info.html", RunStage::Status},
    {"/index.html", RunStage::Login},
    {"/setup_wancfg.html", RunStage::Wan},
    {"/internet_setup.cmd", RunStage::Wan},
    {"/internet_sum.cgi", RunStage::Wan},
    {"/dlwancfg.cmd", RunStage::Wan},
    {"/wlcfg.html", RunStage::Wireless},
    {"/wlcfg.wl", RunStage::Wireless},
    {"/wlsecurity.html", RunStage::Wireless},
    {"/wlsecurity.wl", RunStage::Wireless},
    {"/password.html", RunStage::Password},
    {"/password.cgi", RunStage::Password},
    {"/support", RunStage::Probe},
};

bool Contains(const std::vector<std::string>& list, const std::string& item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

std::vector<std::string_view> Split(std::string_view text, std::string_view separator)
{
    std::vector<std::string_view> parts;
    for (;;)
    {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + separator.size());
    }
}

// A byte the router link always escapes, so it never appears raw in a query.
bool MustBeEscaped(unsigned char byte)
{
    return byte < 0x20 || byte >= 0x7F
           || std::string_view(" #+?").find(char(byte)) != std::string_view::npos;
}

// Empty when text is name=value pairs joined by "&", with whole %XX escapes.
std::string FormProblem(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (MustBeEscaped(byte))
            return "raw byte " + std::to_string(byte);
        if (byte == '%'
            && (i + 2 >= text.size() || !std::isxdigit(static_cast<unsigned char>(text[i + 1]))
                || !std::isxdigit(static_cast<unsigned char>(text[i + 2]))))
            return "broken escape";
    }
    for (std::string_view pair : Split(text, "&"))
    {
        const std::size_t eq = pair.find('=');
        if (eq == std::string_view::npos || eq == 0)
            return "parameter without a name or value: '" + std::string(pair) + "'";
    }
    return {};
}

std::string LastParameterName(std::string_view query)
{
    const std::string_view last = Split(query, "&").back();
    return std::string(last.substr(0, last.find('=')));
}

// Empty when the cookie fits its buffer and is made of name=value parts.
std::string CookieProblem(const std::string& cookie)
{
    if (cookie.size() + 1 > 512)
        return "cookie of " + std::to_string(cookie.size()) + " bytes";
    if (cookie.empty())
        return {};
    const std::vector<std::string_view> parts = Split(cookie, ";");
    for (std::size_t i = 0; i < parts.size(); ++i)
    {
        std::string_view part = parts[i];
        while (!part.empty() && part.front() == ' ')
            part.remove_prefix(1);
        if (part.empty() && i + 1 == parts.size())
            continue;  // the security cookie ends with ";"
        if (part.find('=') == std::string_view::npos || part.front() == '=')
            return "cookie part '" + std::string(part) + "'";
    }
    return {};
}

std::string RequestProblem(const SimRequest& request, const std::string& address)
{
    const std::string url = "http://" + address + request.Path
                            + (request.Query.empty() ? "" : "?" + request.Query);
    const std::size_t limit = Contains(kLongUrlPaths, request.Path) ? 1024 : 512;
    if (url.size() + 1 > limit)
        return "URL of " + std::to_string(url.size()) + " bytes";
    if (!request.Query.empty())
    {
        if (const std::string problem = FormProblem(request.Query); !problem.empty())
            return "query: " + problem;
    }
    if (Contains(kKeyedPaths, request.Path) && LastParameterName(request.Query) != "sessionKey")
        return "does not end with its sessionKey parameter";
    if (request.Path == "/dlwancfg.cmd" && request.Query.find("rmLst=&") != std::string::npos)
        return "empty removal list";
    if (const std::string problem = CookieProblem(request.Cookie); !problem.empty())
        return problem;
    if (request.Path == "/index.html" && request.Method == "POST")
    {
        if (request.Body.size() + 1 > 1024)
            return "login body of " + std::to_string(request.Body.size()) + " bytes";
        const std::string_view tail = "&validateCode=&loginfo=on";
        if (request.Body.size() < tail.size() || !request.Body.ends_with(tail)
            || !request.Body.starts_with("username="))
            return "login body cut: '" + request.Body + "'";
        if (const std::string problem = FormProblem(request.Body); !problem.empty())
            return "login body: " + problem;
    }
    return {};
}

QString Describe(const SimRequest& request)
{
    const std::string target = request.Method + " " + request.Path
                               + (request.Query.empty() ? "" : "?" + request.Query);
    return QString::fromStdString(target.substr(0, 200));
}

}  // namespace

QStringList CutRequests(const std::vector<SimRequest>& requests, const std::string& address)
{
    QStringList problems;
    for (const SimRequest& request : requests)
    {
        if (const std::string problem = RequestProblem(request, address); !problem.empty())
            problems << Describe(request) + ": " + QString::fromStdString(problem);
    }
    return problems;
}

QStringList RequestsPast(const std::vector<SimRequest>& requests, RunStage last)
{
    QStringList late;
    const int allowedLogins = last >= RunStage::Wireless ? 4 : 2;
    int logins = 0;
    for (const SimRequest& request : requests)
    {
        const auto stage = kStageOfPath.find(request.Path);
        const bool login = request.Path == "/index.html" && request.Method == "POST";
        // Reading the login page only asks whether the router is there.
        const bool presence = request.Path == "/index.html" && request.Method == "GET";
        if (presence)
            continue;
        if (login && ++logins > allowedLogins)
            late << Describe(request) + ": login attempt " + QString::number(logins);
        else if (stage == kStageOfPath.end() || stage->second > last)
            late << Describe(request) + ": past the last stage allowed";
    }
    return late;
}
