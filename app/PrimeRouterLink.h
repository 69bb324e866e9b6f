#pragma once
// The login values the wizard gives the router link before its logins.

#include "RouterDefaults.h"

#include <string>

// Sets the process-wide router link to kRouterUserName, password and the
// configured router address (--router, default kDefaultRouterAddress).
void PrimeRouterLink(const std::string& password = kFactoryPassword);
