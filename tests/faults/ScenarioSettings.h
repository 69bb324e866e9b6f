#pragma once
// What every in-process scenario asks the router to take: a PPPoE service,
// a WPA2 network and a new admin password, so a run that gets through sends
// every kind of request.

#include "InputChecks.h"
#include "WizardSettings.h"

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
