#pragma once
// The router's fixed values and the wizard's default timings and sites, in
// the lowest layer so that the settings, the router link, the apply run, the
// pages and tarnix-setup all take them from here.

#include <array>
#include <chrono>

inline constexpr char kDefaultRouterAddress[] = "192.168.1.1";
inline constexpr char kRouterUserName[] = "admin";
inline constexpr char kFactoryPassword[] = "vabel";

// Pauses of an apply run: after each login, WAN or wireless request, and
// after the last request while the router settles.
inline constexpr std::chrono::milliseconds kStepPause{1500};
inline constexpr std::chrono::milliseconds kSettlePause{50000};

// The maker's sites, opened on request.
inline constexpr char kSupportSiteUrl[] = "http://www.tarnix.com.au/support";
inline constexpr char kMakerSiteUrl[] = "http://www.tarnix.com.au";

// Probe addresses the reachability check tries, in this order, by default:
// the maker's support site, a search engine, one more public site.
inline constexpr char kSupportProbeUrl[] = "http://www.tarnix.com.au/support";
inline constexpr char kSearchProbeUrl[] = "http://www.google.com";
inline constexpr char kThirdProbeUrl[] = "http://www.debian.org";
inline constexpr std::array<const char*, 3> kDefaultProbeUrls{kSupportProbeUrl, kSearchProbeUrl,
                                                              kThirdProbeUrl};
