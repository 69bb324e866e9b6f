#pragma once
// The reachability check after a successful apply run: a few public pages,
// tried in order until one answers with its marker word.

#include <chrono>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The maker's support site, a search engine's home page, one more public site.
std::vector<std::string> DefaultProbeUrls();

// True when url may be probed: "http://" or "https://", a host with an
// optional port of 1-65535 (as a router address), then any path, all of
// printable ASCII.
bool IsProbeUrl(std::string_view url);

// Probes urls in order with ProbeInternet, each within timeout, and stops at
// the first that answers (result 0). Returns its position, or -1 when none
// answered. onProbe is called before each probe with its URL; cancelled, when
// given, ends a probe in flight and the ones after it (CancelCheck of
// HttpTransport.h).
int ProbeSitesInOrder(std::span<const std::string> urls, std::chrono::milliseconds timeout,
                      const std::function<void(const std::string& url)>& onProbe = {},
                      const std::function<bool()>& cancelled = {});
