#include "SystemHostNetwork.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QNetworkInterface>

namespace {

constexpr char kNmService[] = "org.freedesktop.NetworkManager";
constexpr char kNmPath[] = "/org/freedesktop/NetworkManager";

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
            adapter.Ipv4 << HostIpv4Address{entry.ip(), entry.prefixLength()};
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

}  // namespace

std::map<QString, QString> NetworkManagerConnectionNames(std::chrono::milliseconds timeout)
{
    std::map<QString, QString> names;
    if (!QDBusConnection::systemBus().isConnected())
        return names;
    const QDeadlineTimer deadline(timeout.count());
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
