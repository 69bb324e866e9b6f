#pragma once
// The login values the wizard gives the router link before its logins.

#include "RouterDefaults.h"

#include <string>

// Sets the process-wide router link to kRouterUserName, password, the
// configured router address (--router, default kDefaultRouterAddress) and
// the options' time-outs.
void PrimeRouterLink(const std::string& password = kFactoryPassword);
