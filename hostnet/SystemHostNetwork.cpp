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
#include <QNetworkInterface>

#include <atomic>

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

AdapterKind KindOf(const QNetworkInterface& interface)
{
    switch (interface.type())
    {
    case QNetworkInterface::Loopback: return AdapterKind::Loopback;
    case QNetworkInterface::Wifi: return AdapterKind::Wireless;
    case QNetworkInterface::Ethernet: return KindOfEthernet(interface.name());
    default: return AdapterKind::Other;
    }
}

HostAdapter AdapterOf(const QNetworkInterface& interface)
{
    HostAdapter adapter;
    adapter.Name = interface.name();
    adapter.Kind = KindOf(interface);
    const auto flags = interface.flags();
    adapter.LinkUp = flags.testFlag(QNetworkInterface::IsUp)
                     && flags.testFlag(QNetworkInterface::IsRunning);
    adapter.HardwareAddress = interface.hardwareAddress();
    for (const QNetworkAddressEntry& entry : interface.addressEntries())
        if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
            adapter.Ipv4 << HostIpv4Address{Ipv4Address{entry.ip().toIPv4Address()},
                                            entry.prefixLength()};
    return adapter;
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
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces())
    {
        HostAdapter adapter = AdapterOf(interface);
        if (const auto name = names.find(adapter.Name); name != names.end())
            adapter.ConnectionName = name->second;
        state.Adapters << adapter;
    }
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
