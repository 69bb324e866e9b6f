#include "HostNetwork.h"

#include <QHostInfo>
#include <QtEndian>

#include <algorithm>

namespace {

bool InNetworkOf(const HostIpv4Address& own, const QHostAddress& address)
{
    return address.isInSubnet(own.Address, own.PrefixLength);
}

bool IsGatewayOf(const HostNetworkState& state, const HostAdapter& adapter,
                 const QHostAddress& address)
{
    return std::any_of(state.Gateways.begin(), state.Gateways.end(), [&](const DefaultGateway& gw) {
        return gw.Adapter == adapter.Name && gw.Address == address;
    });
}

bool Reaches(const HostNetworkState& state, const HostAdapter& adapter, const QHostAddress& address)
{
    if (!adapter.LinkUp)
        return false;
    const bool inNetwork = std::any_of(
        adapter.Ipv4.begin(), adapter.Ipv4.end(),
        [&](const HostIpv4Address& own) { return InNetworkOf(own, address); });
    return inNetwork || IsGatewayOf(state, adapter, address);
}

}  // namespace

QList<HostAdapter> AdaptersReaching(const HostNetworkState& state, const QHostAddress& address)
{
    QList<HostAdapter> reaching;
    for (const HostAdapter& adapter : state.Adapters)
        if (Reaches(state, adapter, address))
            reaching << adapter;
    return reaching;
}

WiredLinkState JudgeWiredLink(const HostNetworkState& state, const QHostAddress& router)
{
    WiredLinkState best = WiredLinkState::NoWiredAdapter;
    for (const HostAdapter& adapter : state.Adapters)
    {
        if (adapter.Kind != AdapterKind::Wired)
            continue;
        WiredLinkState seen = WiredLinkState::NoCable;
        // A router on loopback is not behind any cable.
        const bool judged = router.protocol() == QAbstractSocket::IPv4Protocol
                            && !router.isLoopback();
        if (adapter.LinkUp && !judged)
            seen = WiredLinkState::LinkOnly;
        else if (adapter.LinkUp)
            seen = Reaches(state, adapter, router) ? WiredLinkState::InRouterNetwork
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

QHostAddress ResolveRouterIpv4(const QString& routerAddress)
{
    const QString host = RouterHost(routerAddress);
    QHostAddress literal;
    if (literal.setAddress(host))
        return literal.protocol() == QAbstractSocket::IPv4Protocol ? literal : QHostAddress();
    if (host.isEmpty())
        return {};
    const QList<QHostAddress> found = QHostInfo::fromName(host).addresses();
    const auto ipv4 = std::find_if(found.begin(), found.end(), [](const QHostAddress& a) {
        return a.protocol() == QAbstractSocket::IPv4Protocol;
    });
    return ipv4 == found.end() ? QHostAddress() : *ipv4;
}

RouterNetworkVerdict JudgeRouterNetwork(const HostNetworkState& state, const QHostAddress& router)
{
    if (router.isNull() || router.protocol() != QAbstractSocket::IPv4Protocol)
        return RouterNetworkVerdict::CannotTell;
    return AdaptersReaching(state, router).isEmpty() ? RouterNetworkVerdict::NotInAnyNetwork
                                                     : RouterNetworkVerdict::Reachable;
}

RouterNetworkVerdict CheckRouterNetwork(CHostNetwork& network, const QString& routerAddress)
{
    const QHostAddress router = ResolveRouterIpv4(routerAddress);
    if (router.isNull())
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
                                   QHostAddress(qFromBigEndian(gateway))};
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
