#pragma once
// The computer's own network, as far as reaching the router is concerned: its
// adapters (name, kind, link, hardware address, IPv4 addresses with prefix,
// NetworkManager's connection name) and the kernel's default gateways. Read
// through CHostNetwork, which tests replace with fixed tables; the judgements
// below are pure functions of what was read. QtCore only: the system calls
// stand in for QtNetwork, whose libraries slow the program's start.

#include <QList>
#include <QString>

#include <optional>

// An IPv4 address in host order: 192.168.1.1 is 0xC0A80101.
struct Ipv4Address
{
    quint32 Value = 0;

    bool operator==(const Ipv4Address&) const = default;
    bool IsLoopback() const { return Value >> 24 == 127; }
    // Whether the first prefixLength bits are those of network.
    bool InNetwork(Ipv4Address network, int prefixLength) const;
    QString ToString() const;
};

// The address written as four decimal numbers ("192.168.1.1"); nothing for
// any other text.
std::optional<Ipv4Address> ParseIpv4(const QString& text);

enum class AdapterKind
{
    Wired,
    Wireless,
    Loopback,
    Other,
};

struct HostIpv4Address
{
    Ipv4Address Address;
    int PrefixLength = 32;
};

struct HostAdapter
{
    QString Name;
    AdapterKind Kind = AdapterKind::Other;
    bool LinkUp = false;  // up and with a carrier
    QString HardwareAddress;
    QList<HostIpv4Address> Ipv4;
    QString ConnectionName;  // NetworkManager's; empty when unknown
};

struct DefaultGateway
{
    QString Adapter;
    Ipv4Address Address;
};

struct HostNetworkState
{
    QList<HostAdapter> Adapters;
    QList<DefaultGateway> Gateways;  // empty also when the table could not be read
};

class CHostNetwork
{
public:
    virtual ~CHostNetwork() = default;
    // May block for about a second (NetworkManager's time-out): call it off
    // the user-interface thread. Safe to call from any thread.
    virtual HostNetworkState Read() = 0;
};

// The host network in force: the system's until SetHostNetwork installs
// another (not owned; nullptr restores the system's). The wizard's session
// installs its own; the command line keeps the system's.
CHostNetwork& HostNetwork();
void SetHostNetwork(CHostNetwork* network);

// The adapters with link through which address is reached directly: one of
// their IPv4 networks holds it, or it is their default gateway.
QList<HostAdapter> AdaptersReaching(const HostNetworkState& state, Ipv4Address address);

// What the Ethernet page tells the user about the wired connection.
enum class WiredLinkState
{
    NoWiredAdapter,
    NoCable,       // wired adapters, none with link
    OtherNetwork,  // link, but no address in the router's network
    LinkOnly,      // link; the router's address is on loopback or not known
    InRouterNetwork,
};
WiredLinkState JudgeWiredLink(const HostNetworkState& state,
                              const std::optional<Ipv4Address>& router);

// The first wireless adapter with link (Name empty when none): the one the
// preparations page asks the user to switch off.
HostAdapter ConnectedWirelessAdapter(const HostNetworkState& state);

// The host of a router address "HOST", "HOST:PORT" or "[V6]:PORT".
QString RouterHost(const QString& routerAddress);

// The router's IPv4 address: the host itself when it is one, else the first
// IPv4 address the name resolves to (blocking). Nothing when there is none.
std::optional<Ipv4Address> ResolveRouterIpv4(const QString& routerAddress);

// The check before the first login.
enum class RouterNetworkVerdict
{
    Reachable,
    NotInAnyNetwork,  // no adapter with link reaches the router's address
    CannotTell,       // no IPv4 address for the router: nothing is said
};
RouterNetworkVerdict JudgeRouterNetwork(const HostNetworkState& state,
                                        const std::optional<Ipv4Address>& router);

// Reads network (blocking) and judges routerAddress, resolved first.
RouterNetworkVerdict CheckRouterNetwork(CHostNetwork& network, const QString& routerAddress);

// The kernel's default routes from the text of /proc/net/route; lines that
// do not parse are skipped.
QList<DefaultGateway> ParseDefaultGateways(const QByteArray& routeTable);

const char* AdapterKindName(AdapterKind kind);
