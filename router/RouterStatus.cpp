#include "RouterStatus.h"

#include "HttpTransport.h"
#include "RouterUrls.h"
#include "TextRules.h"

#include <optional>

namespace {

constexpr char kNameStart[] = "value='1'>";
constexpr char kNameEnd[] = "</option>";

// Reads page from the router without a cookie. Read when it came with
// status 200 and at least one byte; then text holds it.
StatusRead ReadPage(const std::string& routerAddress, std::string_view page, std::string& text,
                    std::chrono::milliseconds timeout)
{
    const std::optional<std::string> url = PageUrl(routerAddress, page);
    HttpReply reply = url ? HttpGetReply(*url, std::string(), timeout) : HttpReply();
    if (!reply.Answered)
        return StatusRead::NoAnswer;
    if (!reply.Ok())
        return StatusRead::NotReadable;
    text = std::move(reply.Body);
    return StatusRead::Read;
}

}  // namespace

std::string DownstreamRateCell(std::string_view statusPage)
{
    const std::string row = TextBetween(statusPage, "Downstream Line Rate", "</tr>");
    return TextBetween(row, "<td>", "</td>");
}

DslLineStatus ReadDslLineStatus(const std::string& routerAddress, std::chrono::milliseconds timeout)
{
    DslLineStatus status;
    std::string page;
    status.Result = ReadPage(routerAddress, "info.html", page, timeout);
    if (status.Result != StatusRead::Read)
        return status;
    status.DownstreamRate = DownstreamRateCell(page);
    if (status.DownstreamRate.empty())
        status.Result = StatusRead::MarkersMissing;
    return status;
}

WirelessStatus ReadWirelessStatus(const std::string& routerAddress,
                                  std::chrono::milliseconds timeout)
{
    WirelessStatus status;
    std::string page;
    status.Result = ReadPage(routerAddress, "wlsecurity.html", page, timeout);
    if (status.Result != StatusRead::Read)
        return status;
    if (page.find(kNameStart) == std::string::npos)
    {
        status.Result = StatusRead::MarkersMissing;
        return status;
    }
    status.Name = TextBetween(page, kNameStart, kNameEnd);
    status.Key = TextBetween(page, "wpaPskKey = '", "'");
    return status;
}
