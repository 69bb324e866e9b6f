#include "RouterStatus.h"

#include "HttpTransport.h"
#include "RouterUrls.h"
#include "TextRules.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace {

constexpr char kNameStart[] = "value='1'>";
constexpr char kNameEnd[] = "</option>";

// Reads page from the router without a cookie; false when it could not.
bool ReadPage(const std::string& routerAddress, std::string_view page, std::string& text,
              std::chrono::milliseconds timeout)
{
    const std::optional<std::string> url = PageUrl(routerAddress, page);
    return url && HttpGet(*url, std::string(), &text, timeout);
}

bool MentionsPassword(std::string page)
{
    std::transform(page.begin(), page.end(), page.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return page.find("password") != std::string::npos;
}

}  // namespace

bool RouterAnswers(const std::string& routerAddress, std::chrono::milliseconds timeout)
{
    std::string page;
    return ReadPage(routerAddress, "index.html", page, timeout) && MentionsPassword(page);
}

StatusRead WhyUnread(const std::string& routerAddress, std::chrono::milliseconds timeout)
{
    return RouterAnswers(routerAddress, timeout) ? StatusRead::NotReadable : StatusRead::NoAnswer;
}

// A page without its markers from something that is not the router at all
// (another server, garbage) counts as no answer.
StatusRead WhyNoMarkers(const std::string& routerAddress, std::chrono::milliseconds timeout)
{
    return RouterAnswers(routerAddress, timeout) ? StatusRead::MarkersMissing
                                                 : StatusRead::NoAnswer;
}

std::string DownstreamRateCell(std::string_view statusPage)
{
    const std::string row = TextBetween(statusPage, "Downstream Line Rate", "</tr>");
    return TextBetween(row, "<td>", "</td>");
}

DslLineStatus ReadDslLineStatus(const std::string& routerAddress, std::chrono::milliseconds timeout)
{
    DslLineStatus status;
    std::string page;
    if (!ReadPage(routerAddress, "info.html", page, timeout))
    {
        status.Result = WhyUnread(routerAddress, timeout);
        return status;
    }
    status.DownstreamRate = DownstreamRateCell(page);
    status.Result = status.DownstreamRate.empty() ? WhyNoMarkers(routerAddress, timeout)
                                                  : StatusRead::Read;
    return status;
}

WirelessStatus ReadWirelessStatus(const std::string& routerAddress,
                                  std::chrono::milliseconds timeout)
{
    WirelessStatus status;
    std::string page;
    if (!ReadPage(routerAddress, "wlsecurity.html", page, timeout))
    {
        status.Result = WhyUnread(routerAddress, timeout);
        return status;
    }
    if (page.find(kNameStart) == std::string::npos)
    {
        status.Result = WhyNoMarkers(routerAddress, timeout);
        return status;
    }
    status.Result = StatusRead::Read;
    status.Name = TextBetween(page, kNameStart, kNameEnd);
    status.Key = TextBetween(page, "wpaPskKey = '", "'");
    return status;
}
