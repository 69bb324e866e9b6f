#pragma once
// What the in-process scenarios share: shortened time-outs, a delay longer
// than all of them, and what they ask the router to take (a PPPoE service, a
// WPA2 network and a new admin password, so a run that gets through sends
// every kind of request).

#include "HttpTransport.h"
#include "InputChecks.h"
#include "RouterSim.h"
#include "WizardSettings.h"

inline constexpr HttpTimeouts kShortTimeouts{std::chrono::milliseconds(500),
                                             std::chrono::milliseconds(700),
                                             std::chrono::milliseconds(500)};
inline const SimFault kSlow{.delay = std::chrono::milliseconds(3000)};

inline WizardSettings ScenarioSettings()
{
    WizardSettings s;
    s.ProtocolIndex = ProtocolPppoe;
    s.AtmVpi = 8;
    s.AtmVci = 35;
    s.PppUserName = "joe@isp";
    s.PppPassword = "pw";
    s.Ssid = "Home Net";
    s.WirelessKey = "secret123";
    s.WirelessSecurityIndex = SecurityWpa2;
    s.RouterPassword = "vabel";
    s.PasswordChangeRequested = true;
    s.NewRouterPassword = "newpw";
    return s;
}
