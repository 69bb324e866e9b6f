#include "SystemHostNetwork.h"

#include "LocalSocketLine.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <bit>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <net/if_arp.h>
#include <netpacket/packet.h>
#include <unistd.h>

namespace {

constexpr char kNmService[] = "org.freedesktop.NetworkManager";
constexpr char kNmPath[] = "/org/freedesktop/NetworkManager";
constexpr char kDefaultSystemBus[] = "unix:path=/var/run/dbus/system_bus_socket";
constexpr int kMaxBusGreeting = 256;

// Wireless cards look like Ethernet to the socket layer, and so do bridges,
// veth pairs and other virtual adapters, which have no device behind them.
AdapterKind KindOfEthernet(const QString& name)
{
    const QString sys = "/sys/class/net/" + name;
    if (QFileInfo::exists(sys + "/wireless") || QFileInfo::exists(sys + "/phy80211"))
        return AdapterKind::Wireless;
    return QFileInfo::exists(sys + "/device") ? AdapterKind::Wired : AdapterKind::Other;
}

AdapterKind KindOf(const QString& name, unsigned flags, unsigned short hardwareType)
{
    if (flags & IFF_LOOPBACK || hardwareType == ARPHRD_LOOPBACK)
        return AdapterKind::Loopback;
    switch (hardwareType)
    {
    case ARPHRD_ETHER: return KindOfEthernet(name);
    case ARPHRD_IEEE80211:
    case ARPHRD_IEEE80211_PRISM:
    case ARPHRD_IEEE80211_RADIOTAP: return AdapterKind::Wireless;
    default: return AdapterKind::Other;
    }
}

// The interface's own entry: its name, state, hardware type and address.
// An interface without a hardware address (a tunnel) has no address there.
HostAdapter AdapterOf(const ifaddrs& entry)
{
    const auto* link = reinterpret_cast<const sockaddr_ll*>(entry.ifa_addr);
    HostAdapter adapter;
    adapter.Name = QString::fromLocal8Bit(entry.ifa_name);
    adapter.Kind = KindOf(adapter.Name, entry.ifa_flags, link ? link->sll_hatype : ARPHRD_VOID);
    adapter.LinkUp = (entry.ifa_flags & IFF_UP) && (entry.ifa_flags & IFF_RUNNING);
    // The loopback's six zero bytes included, as the program has always shown them.
    if (link)
        adapter.HardwareAddress = QByteArray(reinterpret_cast<const char*>(link->sll_addr),
                                             link->sll_halen)
                                      .toHex(':')
                                      .toUpper();
    return adapter;
}

HostIpv4Address Ipv4Of(const ifaddrs& entry)
{
    const auto address = [](const sockaddr* a) {
        return ntohl(reinterpret_cast<const sockaddr_in*>(a)->sin_addr.s_addr);
    };
    const int prefix = entry.ifa_netmask ? std::popcount(address(entry.ifa_netmask)) : 32;
    return {Ipv4Address{address(entry.ifa_addr)}, prefix};
}

bool IsInterfaceEntry(const ifaddrs& entry)
{
    return !entry.ifa_addr || entry.ifa_addr->sa_family == AF_PACKET;
}

bool IsIpv4Entry(const ifaddrs& entry)
{
    return entry.ifa_addr && entry.ifa_addr->sa_family == AF_INET;
}

// One adapter per interface, in the order of their indexes, as they were
// made. An IPv4 address comes under its label ("eth0:1"), and no interface
// name holds a colon.
QList<HostAdapter> ReadAdapters()
{
    ifaddrs* entries = nullptr;
    if (getifaddrs(&entries) != 0)
        return {};
    std::map<unsigned, HostAdapter> byIndex;
    for (const ifaddrs* entry = entries; entry; entry = entry->ifa_next)
        if (IsInterfaceEntry(*entry))
            byIndex[if_nametoindex(entry->ifa_name)] = AdapterOf(*entry);
    for (const ifaddrs* entry = entries; entry; entry = entry->ifa_next)
    {
        if (!IsIpv4Entry(*entry))
            continue;
        const QString name = QString::fromLocal8Bit(entry->ifa_name).section(':', 0, 0);
        for (auto& [index, adapter] : byIndex)
            if (adapter.Name == name)
                adapter.Ipv4 << Ipv4Of(*entry);
    }
    freeifaddrs(entries);
    QList<HostAdapter> adapters;
    for (const auto& [index, adapter] : byIndex)
        adapters << adapter;
    return adapters;
}

QList<DefaultGateway> ReadDefaultGateways()
{
    QFile table(kRouteTablePath);
    if (!table.open(QIODevice::ReadOnly))
        return {};
    return ParseDefaultGateways(table.readAll());
}

// One property over the system bus; an invalid variant when there is no
// answer before deadline.
QVariant NmProperty(const QString& path, const QString& interface, const QString& name,
                    const QDeadlineTimer& deadline)
{
    const qint64 left = deadline.remainingTime();
    if (left <= 0)
        return {};
    QDBusMessage call = QDBusMessage::createMethodCall(kNmService, path,
                                                       "org.freedesktop.DBus.Properties", "Get");
    call << interface << name;
    const QDBusMessage reply = QDBusConnection::systemBus().call(call, QDBus::Block, int(left));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().first().value<QDBusVariant>().variant();
}

QList<QDBusObjectPath> NmPaths(const QVariant& value)
{
    return value.canConvert<QDBusArgument>() ? qdbus_cast<QList<QDBusObjectPath>>(value)
                                             : QList<QDBusObjectPath>();
}

// The socket file of the system bus: the first address of
// DBUS_SYSTEM_BUS_ADDRESS, else the usual one. Empty when that address is
// not a socket file.
QString SystemBusSocketPath()
{
    const QByteArray given = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
    const QByteArray address = given.isEmpty() ? QByteArray(kDefaultSystemBus)
                                               : given.split(';').first();
    if (!address.startsWith("unix:"))
        return {};
    for (const QByteArray& pair : address.mid(5).split(','))
        if (pair.startsWith("path="))
            return QFile::decodeName(QByteArray::fromPercentEncoding(pair.mid(5)));
    return {};
}

// Whether the bus answers the first line of a client's greeting before
// deadline. QtDBus connects with no time limit of its own (a bus that
// accepts and stays silent holds it for minutes), so it is only let near a
// bus that has answered.
bool SystemBusAnswers(const QDeadlineTimer& deadline)
{
    const QString path = SystemBusSocketPath();
    // A NUL byte, then the request to authenticate as this process's user.
    const QByteArray greeting = QByteArray(1, '\0') + "AUTH EXTERNAL "
                                + QByteArray::number(::geteuid()).toHex() + "\r\n";
    return !path.isEmpty() && ExchangeLine(path, greeting, deadline, kMaxBusGreeting);
}

}  // namespace

std::map<QString, QString> NetworkManagerConnectionNames(std::chrono::milliseconds timeout)
{
    std::map<QString, QString> names;
    const QDeadlineTimer deadline(timeout.count());
    if (!SystemBusAnswers(deadline) || !QDBusConnection::systemBus().isConnected())
        return names;
    const QString active = "org.freedesktop.NetworkManager.Connection.Active";
    for (const QDBusObjectPath& connection : NmPaths(
             NmProperty(kNmPath, "org.freedesktop.NetworkManager", "ActiveConnections", deadline)))
    {
        const QString id = NmProperty(connection.path(), active, "Id", deadline).toString();
        for (const QDBusObjectPath& device :
             NmPaths(NmProperty(connection.path(), active, "Devices", deadline)))
        {
            const QString interface = NmProperty(device.path(),
                                                 "org.freedesktop.NetworkManager.Device",
                                                 "Interface", deadline)
                                          .toString();
            if (!interface.isEmpty() && !id.isEmpty())
                names[interface] = id;
        }
    }
    return names;
}

HostNetworkState CSystemHostNetwork::Read()
{
    HostNetworkState state;
    const std::map<QString, QString> names = NetworkManagerConnectionNames(kNetworkManagerTimeout);
    state.Adapters = ReadAdapters();
    for (HostAdapter& adapter : state.Adapters)
        if (const auto name = names.find(adapter.Name); name != names.end())
            adapter.ConnectionName = name->second;
    state.Gateways = ReadDefaultGateways();
    return state;
}

namespace {

std::atomic<CHostNetwork*> g_installed{nullptr};

}  // namespace

CHostNetwork& HostNetwork()
{
    static CSystemHostNetwork system;
    CHostNetwork* installed = g_installed.load();
    return installed ? *installed : system;
}

void SetHostNetwork(CHostNetwork* network)
{
    g_installed = network;
}
