#pragma once
// Status reads that tell "no router there" from "the router said no": each
// says whether anything answered over HTTP at all, whether the answer was the
// page (status 200, not empty) and whether it held its markers. Judged from
// the read's own answer alone. Reads without a cookie and without the
// process-wide link, so any thread may call them. Blocking: each request ends
// within the given page-read time-out.

#include "HttpTransport.h"

#include <chrono>
#include <string>
#include <string_view>

enum class StatusRead
{
    Read,
    NoAnswer,        // nothing answered over HTTP
    NotReadable,     // an HTTP answer, but not the page (another status, or empty)
    MarkersMissing,  // the page came without the text looked for
};

// The first cell after "Downstream Line Rate" in its table row of info.html;
// empty when a marker is missing.
std::string DownstreamRateCell(std::string_view statusPage);

struct DslLineStatus
{
    StatusRead Result = StatusRead::NoAnswer;
    std::string DownstreamRate;  // as the router wrote it, kbit/s
    // Synchronised: the rate is neither empty nor "0".
    bool Up() const { return !DownstreamRate.empty() && DownstreamRate != "0"; }
};
DslLineStatus ReadDslLineStatus(const std::string& routerAddress,
                                std::chrono::milliseconds timeout = kPageReadTimeout);

struct WirelessStatus
{
    StatusRead Result = StatusRead::NoAnswer;
    std::string Name;
    std::string Key;  // empty when the page has no key (security off)
};
// MarkersMissing when the page names no network.
WirelessStatus ReadWirelessStatus(const std::string& routerAddress,
                                  std::chrono::milliseconds timeout = kPageReadTimeout);
