#include "RouterAddress.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

bool IsHostChar(unsigned char c)
{
    return std::isalnum(c) || c == '.' || c == '-';
}

bool IsIpv6Char(unsigned char c)
{
    return std::isxdigit(c) || c == ':' || c == '.';
}

// Everything up to the port: a name or dotted address, or [IPv6].
bool IsHost(std::string_view host)
{
    if (host.size() > 2 && host.front() == '[' && host.back() == ']')
        return std::all_of(host.begin() + 1, host.end() - 1, IsIpv6Char);
    return !host.empty() && std::all_of(host.begin(), host.end(), IsHostChar);
}

bool IsPort(std::string_view digits)
{
    if (digits.empty() || digits.size() > 5
        || !std::all_of(digits.begin(), digits.end(),
                        [](unsigned char c) { return std::isdigit(c); }))
        return false;
    int port = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), port);
    return port >= 1 && port <= 65535;
}

}  // namespace

bool IsRouterAddress(std::string_view address)
{
    const std::size_t bracket = address.rfind(']');
    const std::size_t colon = address.rfind(':');
    const bool hasPort = colon != std::string_view::npos
                         && (bracket == std::string_view::npos || colon > bracket);
    if (!hasPort)
        return IsHost(address);
    return IsHost(address.substr(0, colon)) && IsPort(address.substr(colon + 1));
}
