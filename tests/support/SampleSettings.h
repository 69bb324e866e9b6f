#pragma once
// The PPPoE setup the apply-run tests and benchmarks send, as a user who
// accepted the defaults for Australia would have typed it.

#include "InputChecks.h"
#include "WizardSettings.h"

inline WizardSettings SamplePppoeSettings()
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
    return s;
}

// The same setup, also asking for a new router password.
inline WizardSettings SamplePppoeSettingsWithNewPassword()
{
    WizardSettings s = SamplePppoeSettings();
    s.PasswordChangeRequested = true;
    s.NewRouterPassword = "newpw";
    return s;
}
