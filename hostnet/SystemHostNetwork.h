#pragma once
// The host network as the system reports it: getifaddrs for the adapters,
// /proc/net/route for the default gateways and, when it runs, NetworkManager
// over the system D-Bus for the connection names. Each source may be missing;
// what it would have given is then left empty.

#include "HostNetwork.h"

#include <chrono>
#include <map>

class CSystemHostNetwork : public CHostNetwork
{
public:
    HostNetworkState Read() override;
};

// NetworkManager's active connection names by interface name; empty when it
// or the system bus does not run or does not answer within timeout (the
// connection to the bus and all calls together).
std::map<QString, QString> NetworkManagerConnectionNames(std::chrono::milliseconds timeout);

// Kernel routing table read by CSystemHostNetwork.
inline constexpr char kRouteTablePath[] = "/proc/net/route";
inline constexpr std::chrono::milliseconds kNetworkManagerTimeout{1000};
