#pragma once
// The login values the wizard gives the router link before its logins.

#include "RouterDefaults.h"

#include <string>

class CIpLink;

// Sets link to kRouterUserName, password, the configured router address
// (--router, default kDefaultRouterAddress) and the options' time-outs.
void PrimeRouterLink(CIpLink& link, const std::string& password = kFactoryPassword);

// How a login ended: the session cookie came, the router answered without
// one, or nothing answered over HTTP at all (not a refused password).
enum class LoginVerdict
{
    Accepted,
    Refused,
    NoAnswer,
};

// Logs link in with the values it holds (the factory password, as the
// welcome and install mode pages prime it), with one retry; the verdict is
// the last attempt's.
LoginVerdict LoginRouterLink(CIpLink& link);
// One attempt, for a password the user typed.
LoginVerdict LoginRouterLinkOnce(CIpLink& link);

// Shown where a login got no answer at all.
inline constexpr char kRouterNoAnswerText[] =
    "Your router did not answer. Check that it is switched on and that the Ethernet cable is "
    "plugged into a LAN port.";
