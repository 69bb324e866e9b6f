#pragma once
// The login values the wizard gives the router link before its logins.

#include "RouterDefaults.h"

#include <string>

// Sets the process-wide router link to kRouterUserName, password, the
// configured router address (--router, default kDefaultRouterAddress) and
// the options' time-outs.
void PrimeRouterLink(const std::string& password = kFactoryPassword);

// Logs the process-wide router link in with the values it holds (the
// factory password, as the welcome and install mode pages prime it), with
// one retry. False when there is no link or both attempts were refused.
bool LoginRouterLink();
