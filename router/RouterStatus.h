#pragma once
// Status reads that tell "no router there" from "the router said no": each
// says whether the router answered at all, whether the page could be read and
// whether it held its markers. Reads without a cookie and without the
// process-wide link, so any thread may call them. Blocking: each request ends
// within the given page-read time-out.

#include "HttpTransport.h"

#include <chrono>
#include <string>
#include <string_view>

enum class StatusRead
{
    Read,
    NoAnswer,        // nothing, or nothing that is the router's login page
    NotReadable,     // the router answers, but not with this page
    MarkersMissing,  // the page came without the text looked for
};

// True when index.html is answered with status 200 by a page that asks for a
// password, as the router's login page does.
bool RouterAnswers(const std::string& routerAddress,
                   std::chrono::milliseconds timeout = kPageReadTimeout);

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

// The reason for a failed read: NoAnswer when the router does not answer,
// else NotReadable.
StatusRead WhyUnread(const std::string& routerAddress,
                     std::chrono::milliseconds timeout = kPageReadTimeout);
// The reason for a page without its markers: NoAnswer or MarkersMissing.
StatusRead WhyNoMarkers(const std::string& routerAddress,
                        std::chrono::milliseconds timeout = kPageReadTimeout);
