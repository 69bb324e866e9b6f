#pragma once
// The login values the wizard gives the router link before its logins.

#include <string>

inline constexpr char kRouterUserName[] = "admin";
inline constexpr char kFactoryPassword[] = "vabel";

// Sets the process-wide router link to user "admin", password and the
// configured router address (--router, default 192.168.1.1).
void PrimeRouterLink(const std::string& password = kFactoryPassword);
