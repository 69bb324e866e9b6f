#include "HostNetwork.h"

#include <QUrl>
#include <QtEndian>

#include <algorithm>

#include <arpa/inet.h>
#include <netdb.h>

bool Ipv4Address::InNetwork(Ipv4Address network, int prefixLength) const
{
    if (prefixLength < 0)
        return false;
    // Built wider than 32 bits: shifting a 32-bit value by 32 is undefined.
    const auto mask = quint32(~quint64(0) << (32 - std::min(prefixLength, 32)));
    return (Value & mask) == (network.Value & mask);
}

QString Ipv4Address::ToString() const
{
    return QString("%1.%2.%3.%4")
        .arg(Value >> 24)
        .arg(Value >> 16 & 0xFF)
        .arg(Value >> 8 & 0xFF)
        .arg(Value & 0xFF);
}

std::optional<Ipv4Address> ParseIpv4(const QString& text)
{
    in_addr address{};
    if (inet_pton(AF_INET, text.toUtf8().constData(), &address) != 1)
        return std::nullopt;
    return Ipv4Address{ntohl(address.s_addr)};
}

namespace {

bool InNetworkOf(const HostIpv4Address& own, Ipv4Address address)
{
    return address.InNetwork(own.Address, own.PrefixLength);
}

bool IsGatewayOf(const HostNetworkState& state, const HostAdapter& adapter, Ipv4Address address)
{
    return std::any_of(state.Gateways.begin(), state.Gateways.end(), [&](const DefaultGateway& gw) {
        return gw.Adapter == adapter.Name && gw.Address == address;
    });
}

bool Reaches(const HostNetworkState& state, const HostAdapter& adapter, Ipv4Address address)
{
    if (!adapter.LinkUp)
        return false;
    const bool inNetwork = std::any_of(
        adapter.Ipv4.begin(), adapter.Ipv4.end(),
        [&](const HostIpv4Address& own) { return InNetworkOf(own, address); });
    return inNetwork || IsGatewayOf(state, adapter, address);
}

// The first IPv4 address the resolver gives for name (blocking).
std::optional<Ipv4Address> FirstIpv4Of(const QString& name)
{
    const QByteArray ace = QUrl::toAce(name);
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;  // each address once, not once per socket type
    addrinfo* found = nullptr;
    if (ace.isEmpty() || getaddrinfo(ace.constData(), nullptr, &hints, &found) != 0)
        return std::nullopt;
    const auto* first = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    const Ipv4Address address{ntohl(first->sin_addr.s_addr)};
    freeaddrinfo(found);
    return address;
}

}  // namespace

QList<HostAdapter> AdaptersReaching(const HostNetworkState& state, Ipv4Address address)
{
    QList<HostAdapter> reaching;
    for (const HostAdapter& adapter : state.Adapters)
        if (Reaches(state, adapter, address))
            reaching << adapter;
    return reaching;
}

WiredLinkState JudgeWiredLink(const HostNetworkState& state,
                              const std::optional<Ipv4Address>& router)
{
    WiredLinkState best = WiredLinkState::NoWiredAdapter;
    for (const HostAdapter& adapter : state.Adapters)
    {
        if (adapter.Kind != AdapterKind::Wired)
            continue;
        WiredLinkState seen = WiredLinkState::NoCable;
        // A router on loopback is not behind any cable.
        const bool judged = router && !router->IsLoopback();
        if (adapter.LinkUp && !judged)
            seen = WiredLinkState::LinkOnly;
        else if (adapter.LinkUp)
            seen = Reaches(state, adapter, *router) ? WiredLinkState::InRouterNetwork
                                                    : WiredLinkState::OtherNetwork;
        best = std::max(best, seen);
    }
    return best;
}

HostAdapter ConnectedWirelessAdapter(const HostNetworkState& state)
{
    for (const HostAdapter& adapter : state.Adapters)
        if (adapter.Kind == AdapterKind::Wireless && adapter.LinkUp)
            return adapter;
    return HostAdapter();
}

QString RouterHost(const QString& routerAddress)
{
    const QString address = routerAddress.trimmed();
    if (address.startsWith('['))
        return address.mid(1, address.indexOf(']') - 1);
    // More than one colon without brackets: a bare IPv6 address, no port.
    if (address.count(':') > 1)
        return address;
    return address.section(':', 0, 0);
}

std::optional<Ipv4Address> ResolveRouterIpv4(const QString& routerAddress)
{
    const QString host = RouterHost(routerAddress);
    // No name holds a colon: an IPv6 address has no IPv4 one and is no name
    // to ask the resolver for.
    if (host.isEmpty() || host.contains(':'))
        return std::nullopt;
    if (const std::optional<Ipv4Address> literal = ParseIpv4(host))
        return literal;
    return FirstIpv4Of(host);
}

RouterNetworkVerdict JudgeRouterNetwork(const HostNetworkState& state,
                                        const std::optional<Ipv4Address>& router)
{
    if (!router)
        return RouterNetworkVerdict::CannotTell;
    return AdaptersReaching(state, *router).isEmpty() ? RouterNetworkVerdict::NotInAnyNetwork
                                                      : RouterNetworkVerdict::Reachable;
}

RouterNetworkVerdict CheckRouterNetwork(CHostNetwork& network, const QString& routerAddress)
{
    const std::optional<Ipv4Address> router = ResolveRouterIpv4(routerAddress);
    if (!router)
        return RouterNetworkVerdict::CannotTell;
    return JudgeRouterNetwork(network.Read(), router);
}

QList<DefaultGateway> ParseDefaultGateways(const QByteArray& routeTable)
{
    constexpr unsigned kRouteUp = 0x1;
    constexpr unsigned kRouteGateway = 0x2;
    QList<DefaultGateway> gateways;
    const QList<QByteArray> lines = routeTable.split('\n');
    // The first line names the columns:
    // Iface Destination Gateway Flags RefCnt Use Metric Mask MTU Window IRTT
    for (qsizetype i = 1; i < lines.size(); ++i)
    {
        const QList<QByteArray> fields = lines[i].simplified().split(' ');
        if (fields.size() < 8)
            continue;
        bool ok[4] = {};
        const quint32 destination = fields[1].toUInt(&ok[0], 16);
        const quint32 gateway = fields[2].toUInt(&ok[1], 16);
        const unsigned flags = fields[3].toUInt(&ok[2], 16);
        const quint32 mask = fields[7].toUInt(&ok[3], 16);
        if (!ok[0] || !ok[1] || !ok[2] || !ok[3] || destination != 0 || mask != 0
            || (flags & (kRouteUp | kRouteGateway)) != (kRouteUp | kRouteGateway))
            continue;
        // The kernel prints the address as it lies in memory, in network order.
        gateways << DefaultGateway{QString::fromLatin1(fields[0]),
                                   Ipv4Address{qFromBigEndian(gateway)}};
    }
    return gateways;
}

const char* AdapterKindName(AdapterKind kind)
{
    switch (kind)
    {
    case AdapterKind::Wired: return "wired";
    case AdapterKind::Wireless: return "wireless";
    case AdapterKind::Loopback: return "loopback";
    case AdapterKind::Other: return "other";
    }
    return "other";
}
