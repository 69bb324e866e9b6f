#pragma once
// The one check of a router address given on a command line; it becomes the
// host part of every router URL.

#include <string_view>

// host[:port]: the host a name or dotted address of letters, digits, '.' and
// '-', or an IPv6 address in brackets; the port, when given, 1..65535.
bool IsRouterAddress(std::string_view address);
