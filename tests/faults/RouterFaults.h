#pragma once
// How a scenario makes the emulator answer badly, as data: faults by path or
// on every path, refused logins and session keys.

#include "RouterSim.h"

#include <QMetaType>
#include <QString>

#include <algorithm>

#include <string>
#include <utility>
#include <vector>

struct RouterFaults
{
    std::vector<std::pair<std::string, SimFault>> byPath;
    std::optional<SimFault> everywhere;
    int refusedLogins = 0;
    bool refuseKeys = false;
};
Q_DECLARE_METATYPE(RouterFaults)

inline RouterFaults At(const std::string& path, const SimFault& fault)
{
    return {{{path, fault}}, std::nullopt};
}

inline RouterFaults Everywhere(const SimFault& fault)
{
    return {{}, fault};
}

inline RouterFaults LoginsRefused(int count)
{
    return {{}, std::nullopt, count};
}

inline RouterFaults KeysRefused()
{
    return {{}, std::nullopt, 0, true};
}

inline void ApplyFaults(RouterSim& sim, const RouterFaults& faults)
{
    for (const auto& [path, fault] : faults.byPath)
        sim.SetFault(path, fault);
    if (faults.everywhere)
        sim.SetFaultEverywhere(*faults.everywhere);
    sim.RefuseLogins(faults.refusedLogins);
    sim.RefuseSessionKeys(faults.refuseKeys);
}

// Other answers a real router may give where its documented pages say
// nothing (docs/router-assumptions.md): index.html a status page without a
// login form, to GET and POST alike, or a redirect to another page.
inline RouterFaults IndexIsStatusPage()
{
    return At("/index.html", {.StatusPage = true});
}

inline RouterFaults IndexRedirects()
{
    return At("/index.html", {.Status = 302, .RedirectTo = "/info.html"});
}

// The router the scenarios start from: one old WAN service to be replaced,
// a DSL line that is up.
inline SimRouterState ScenarioRouterState()
{
    SimRouterState state;
    state.Services = {{"old_0_1_32", {{"linkType", "EoA"}, {"atmVpi", "1"}, {"atmVci", "32"}}}};
    state.DownstreamRate = "24000";
    return state;
}

// Empty when the router holds what every scenario sends (the PPPoE service on
// 8/35, key secret123, admin password newpw); else what it lacks.
inline QString MissingSettings(const SimRouterState& state)
{
    QString missing;
    if (std::none_of(state.Services.begin(), state.Services.end(),
                     [](const SimWanService& s) { return s.Name == "pppoe_0_8_35"; }))
        missing += "service pppoe_0_8_35; ";
    if (state.Key != "secret123")
        missing += "wireless key; ";
    if (state.AdminPassword != "newpw")
        missing += "admin password; ";
    return missing;
}
