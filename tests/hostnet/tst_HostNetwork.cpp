// The host-network judgements on tables of adapter sets, the routing table
// parser, the system bus's deadline, and the system reader on this machine's
// own adapters (and, where network namespaces can be made, on a veth pair in
// and out of the router's network).

#include "FixedHostNetwork.h"
#include "HostNetwork.h"
#include "SystemHostNetwork.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

Q_DECLARE_METATYPE(HostNetworkState)
Q_DECLARE_METATYPE(RouterNetworkVerdict)
Q_DECLARE_METATYPE(WiredLinkState)

namespace {

using K = AdapterKind;

HostNetworkState State(QList<HostAdapter> adapters, QList<DefaultGateway> gateways = {})
{
    return {std::move(adapters), std::move(gateways)};
}

HostNetworkState ManyAdapters()
{
    QList<HostAdapter> adapters;
    for (int i = 0; i < 49; ++i)
        adapters << Adapter(QString("veth%1").arg(i), K::Wired, true,
                            {QString("10.%1.0.2/16").arg(i)});
    adapters << Adapter("eth9", K::Wired, true, {"192.168.1.77/24"});
    return State(adapters);
}

// Runs the system reader in the network namespace of process pid.
QString ReadInNamespace(const QString& netns, const QString& router)
{
    QProcess process;
    process.start("ip", {"netns", "exec", netns, QCoreApplication::applicationFilePath(),
                         "--print-verdict", router});
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

bool Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(5000) && process.exitStatus() == QProcess::NormalExit
           && process.exitCode() == 0;
}

}  // namespace

class TestHostNetwork : public QObject
{
    Q_OBJECT

private slots:
    void routerNetwork_data();
    void routerNetwork();
    void wiredLink_data();
    void wiredLink();
    void defaultGateways_data();
    void defaultGateways();
    void routerHost_data();
    void routerHost();
    void systemReaderSeesLoopback();
    void loopbackRouterPassesOnThisMachine();
    void systemBusWithinItsDeadline_data();
    void systemBusWithinItsDeadline();
    void vethPairInAndOutOfTheRoutersNetwork();
};

void TestHostNetwork::routerNetwork_data()
{
    QTest::addColumn<HostNetworkState>("state");
    QTest::addColumn<QString>("router");
    QTest::addColumn<RouterNetworkVerdict>("verdict");
    QTest::addColumn<QStringList>("through");
    using V = RouterNetworkVerdict;
    const QString router = "192.168.1.1";
    const auto wired = [](bool link, const QStringList& addresses) {
        return Adapter("eth0", K::Wired, link, addresses);
    };
    QTest::newRow("no adapter") << State({}) << router << V::NotInAnyNetwork << QStringList();
    QTest::newRow("wireless only, elsewhere")
        << State({Adapter("wlan0", K::Wireless, true, {"10.0.0.8/24"})}) << router
        << V::NotInAnyNetwork << QStringList();
    QTest::newRow("wireless in the router's network")
        << State({Adapter("wlan0", K::Wireless, true, {"192.168.1.20/24"})}) << router
        << V::Reachable << QStringList{"wlan0"};
    QTest::newRow("wired without link, address kept")
        << State({wired(false, {"192.168.1.5/24"})}) << router << V::NotInAnyNetwork
        << QStringList();
    QTest::newRow("wired in another network") << State({wired(true, {"192.168.0.5/24"})}) << router
                                              << V::NotInAnyNetwork << QStringList();
    QTest::newRow("wired in the router's network") << State({wired(true, {"192.168.1.5/24"})})
                                                   << router << V::Reachable << QStringList{"eth0"};
    QTest::newRow("wide prefix holds the router") << State({wired(true, {"192.168.7.5/16"})})
                                                  << router << V::Reachable << QStringList{"eth0"};
    QTest::newRow("prefix 0 holds every address")
        << State({wired(true, {"10.0.0.5/0"})}) << router << V::Reachable << QStringList{"eth0"};
    QTest::newRow("second address of an adapter")
        << State({wired(true, {"10.1.1.1/8", "192.168.1.9/24"})}) << router << V::Reachable
        << QStringList{"eth0"};
    QTest::newRow("adapter without addresses")
        << State({wired(true, {})}) << router << V::NotInAnyNetwork << QStringList();
    QTest::newRow("several adapters, one reaches")
        << State({Adapter("lo", K::Loopback, true, {"127.0.0.1/8"}),
                  Adapter("wlan0", K::Wireless, true, {"10.0.0.8/24"}),
                  wired(true, {"192.168.1.5/24"}), Adapter("eth1", K::Wired, false, {})})
        << router << V::Reachable << QStringList{"eth0"};
    QTest::newRow("50 adapters, the last reaches")
        << ManyAdapters() << router << V::Reachable << QStringList{"eth9"};
    QTest::newRow("gateway only, with link")
        << State({wired(true, {"100.64.0.9/32"})}, {{"eth0", *ParseIpv4(router)}}) << router
        << V::Reachable << QStringList{"eth0"};
    QTest::newRow("gateway only, no link")
        << State({wired(false, {"100.64.0.9/32"})}, {{"eth0", *ParseIpv4(router)}}) << router
        << V::NotInAnyNetwork << QStringList();
    QTest::newRow("gateway of another adapter is not ours")
        << State({wired(true, {"10.0.0.2/24"}), Adapter("eth1", K::Wired, false, {})},
                 {{"eth1", *ParseIpv4(router)}})
        << router << V::NotInAnyNetwork << QStringList();
    QTest::newRow("loopback router") << State({Adapter("lo", K::Loopback, true, {"127.0.0.1/8"})})
                                     << "127.0.0.1" << V::Reachable << QStringList{"lo"};
    QTest::newRow("IPv6 router: nothing said")
        << State({}) << "::1" << V::CannotTell << QStringList();
    QTest::newRow("unresolved router: nothing said")
        << State({}) << QString() << V::CannotTell << QStringList();
}

void TestHostNetwork::routerNetwork()
{
    QFETCH(HostNetworkState, state);
    QFETCH(QString, router);
    QFETCH(RouterNetworkVerdict, verdict);
    QFETCH(QStringList, through);
    const std::optional<Ipv4Address> address = ParseIpv4(router);
    QCOMPARE(JudgeRouterNetwork(state, address), verdict);
    QStringList names;
    for (const HostAdapter& adapter :
         address ? AdaptersReaching(state, *address) : QList<HostAdapter>())
        names << adapter.Name;
    QCOMPARE(names, through);
}

void TestHostNetwork::wiredLink_data()
{
    QTest::addColumn<HostNetworkState>("state");
    QTest::addColumn<QString>("router");
    QTest::addColumn<WiredLinkState>("expected");
    using W = WiredLinkState;
    QTest::newRow("no adapter") << State({}) << "192.168.1.1" << W::NoWiredAdapter;
    QTest::newRow("wireless in the network is not a cable")
        << State({Adapter("wlan0", K::Wireless, true, {"192.168.1.20/24"})}) << "192.168.1.1"
        << W::NoWiredAdapter;
    QTest::newRow("wired, no link") << State({Adapter("eth0", K::Wired, false, {"192.168.1.5/24"})})
                                    << "192.168.1.1" << W::NoCable;
    QTest::newRow("link, no address yet")
        << State({Adapter("eth0", K::Wired, true, {})}) << "192.168.1.1" << W::OtherNetwork;
    QTest::newRow("link, other network")
        << State({Adapter("eth0", K::Wired, true, {"10.0.0.5/24"})}) << "192.168.1.1"
        << W::OtherNetwork;
    QTest::newRow("two wired, the second in the network") << State(
        {Adapter("eth0", K::Wired, false, {}), Adapter("eth1", K::Wired, true, {"192.168.1.5/24"})})
                                                          << "192.168.1.1" << W::InRouterNetwork;
    QTest::newRow("link, router on loopback")
        << State({Adapter("eth0", K::Wired, true, {"10.0.0.5/24"})}) << "127.0.0.1" << W::LinkOnly;
    QTest::newRow("link, router address unknown")
        << State({Adapter("eth0", K::Wired, true, {"10.0.0.5/24"})}) << QString() << W::LinkOnly;
}

void TestHostNetwork::wiredLink()
{
    QFETCH(HostNetworkState, state);
    QFETCH(QString, router);
    QFETCH(WiredLinkState, expected);
    QCOMPARE(JudgeWiredLink(state, ParseIpv4(router)), expected);
}

void TestHostNetwork::defaultGateways_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QStringList>("gateways");
    const QByteArray header =
        "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";
    QTest::newRow("default route via 192.168.1.1")
        << header
               + "eth0\t00000000\t0101A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
                 "eth0\t0001A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\t0\t0\t0\n"
        << QStringList{"eth0 192.168.1.1"};
    QTest::newRow("two defaults")
        << header
               + "eth0\t00000000\t0101A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
                 "wlan0\t00000000\t0100000A\t0003\t0\t0\t600\t00000000\t0\t0\t0\n"
        << QStringList{"eth0 192.168.1.1", "wlan0 10.0.0.1"};
    QTest::newRow("route that is down")
        << header + "eth0\t00000000\t0101A8C0\t0002\t0\t0\t100\t00000000\t0\t0\t0\n"
        << QStringList();
    QTest::newRow("network route only")
        << header + "eth0\t0001A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\t0\t0\t0\n"
        << QStringList();
    QTest::newRow("header only") << header << QStringList();
    QTest::newRow("empty") << QByteArray() << QStringList();
    QTest::newRow("garbage line skipped")
        << header + "eth0 zz 0101A8C0 0003\n"
               + "eth1\t00000000\t0101A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
        << QStringList{"eth1 192.168.1.1"};
}

void TestHostNetwork::defaultGateways()
{
    QFETCH(QByteArray, table);
    QFETCH(QStringList, gateways);
    QStringList parsed;
    for (const DefaultGateway& gateway : ParseDefaultGateways(table))
        parsed << gateway.Adapter + ' ' + gateway.Address.ToString();
    QCOMPARE(parsed, gateways);
}

void TestHostNetwork::routerHost_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("host");
    QTest::newRow("address") << "192.168.1.1"
                             << "192.168.1.1";
    QTest::newRow("with port") << "127.0.0.1:8080"
                               << "127.0.0.1";
    QTest::newRow("name with port") << "router.lan:80"
                                    << "router.lan";
    QTest::newRow("bracketed IPv6 with port") << "[::1]:8080"
                                              << "::1";
    QTest::newRow("bare IPv6") << "fe80::1"
                               << "fe80::1";
}

void TestHostNetwork::routerHost()
{
    QFETCH(QString, address);
    QFETCH(QString, host);
    QCOMPARE(RouterHost(address), host);
}

void TestHostNetwork::systemReaderSeesLoopback()
{
    const HostNetworkState state = CSystemHostNetwork().Read();
    const auto loopback = std::find_if(
        state.Adapters.begin(), state.Adapters.end(),
        [](const HostAdapter& a) { return a.Kind == AdapterKind::Loopback; });
    QVERIFY2(loopback != state.Adapters.end(), "no loopback adapter read");
    QVERIFY(loopback->LinkUp);
    QVERIFY(std::any_of(loopback->Ipv4.begin(), loopback->Ipv4.end(), [](const HostIpv4Address& a) {
        return a.Address == ParseIpv4("127.0.0.1") && a.PrefixLength == 8;
    }));
}

void TestHostNetwork::loopbackRouterPassesOnThisMachine()
{
    CSystemHostNetwork system;
    QCOMPARE(CheckRouterNetwork(system, "127.0.0.1:8080"), RouterNetworkVerdict::Reachable);
    QCOMPARE(CheckRouterNetwork(system, "localhost:8080"), RouterNetworkVerdict::Reachable);
}

// The names come within the time-out, connecting included, whatever the
// system bus does. Each row in a process of its own: the bus is chosen once
// per process.
void TestHostNetwork::systemBusWithinItsDeadline_data()
{
    QTest::addColumn<QString>("bus");  // DBUS_SYSTEM_BUS_ADDRESS; empty: as this machine has it
    QTest::newRow("this machine's bus") << QString();
    QTest::newRow("accepts and never answers") << "SILENT";
    QTest::newRow("nothing listens") << "unix:path=/nonexistent/system_bus_socket";
    QTest::newRow("not a socket file") << "tcp:host=127.0.0.1,port=9";
}

void TestHostNetwork::systemBusWithinItsDeadline()
{
    QFETCH(QString, bus);
    QTemporaryDir folder;
    QLocalServer silent;  // never accepts: this process runs no event loop meanwhile
    if (bus == "SILENT")
    {
        QVERIFY(silent.listen(folder.filePath("bus")));
        bus = "unix:path=" + silent.fullServerName();
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!bus.isEmpty())
        environment.insert("DBUS_SYSTEM_BUS_ADDRESS", bus);
    QProcess reader;
    reader.setProcessEnvironment(environment);
    reader.start(QCoreApplication::applicationFilePath(), {"--time-connection-names"});
    QVERIFY(reader.waitForFinished(10000));
    bool read = false;
    const int elapsedMs = reader.readAllStandardOutput().trimmed().toInt(&read);
    QVERIFY(read);
    QVERIFY2(elapsedMs <= kNetworkManagerTimeout.count() + 300,
             qPrintable(QString::number(elapsedMs)));
}

void TestHostNetwork::vethPairInAndOutOfTheRoutersNetwork()
{
    if (geteuid() != 0)
        QSKIP("network namespaces need root");
    const QString netns = QString("tarnix-test-%1").arg(getpid());
    if (!Run("ip", {"netns", "add", netns}))
        QSKIP("cannot create a network namespace here (no ip tool or not permitted)");
    const auto removeNamespace = qScopeGuard([&] { Run("ip", {"netns", "delete", netns}); });
    const QString inside = "ip", veth = "tnx0";
    const QStringList exec = {"netns", "exec", netns, "ip"};
    // The pair lives inside the namespace only: nothing reaches the host's own network.
    if (!Run(inside,
             exec + QStringList{"link", "add", veth, "type", "veth", "peer", "name", "tnx1"}))
        QSKIP("cannot create a veth pair in the namespace");
    QVERIFY(Run(inside, exec + QStringList{"link", "set", "lo", "up"}));
    // Under a label, as an alias is: the address still belongs to the interface.
    QVERIFY(Run(
        inside,
        exec + QStringList{"addr", "add", "192.168.1.5/24", "dev", veth, "label", veth + ":1"}));
    QVERIFY(Run(inside, exec + QStringList{"link", "set", veth, "up"}));
    QVERIFY(Run(inside, exec + QStringList{"link", "set", "tnx1", "up"}));

    QTRY_COMPARE_WITH_TIMEOUT(ReadInNamespace(netns, "192.168.1.1"), QString("reachable tnx0"),
                              5000);
    QCOMPARE(ReadInNamespace(netns, "10.9.9.9"), QString("not reached"));
    QVERIFY(Run(inside, exec + QStringList{"link", "set", "tnx1", "down"}));  // the cable pulled
    QTRY_COMPARE_WITH_TIMEOUT(ReadInNamespace(netns, "192.168.1.1"), QString("not reached"), 5000);
}

// Run inside a namespace by the test above: prints the verdict for a router.
int PrintVerdict(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QString router = application.arguments().value(2);
    CSystemHostNetwork system;
    const HostNetworkState state = system.Read();
    QStringList names;
    for (const HostAdapter& adapter : AdaptersReaching(state, ParseIpv4(router).value()))
        if (adapter.Kind != AdapterKind::Loopback)
            names << adapter.Name;
    QTextStream(stdout) << (names.isEmpty() ? "not reached" : "reachable " + names.join(' '))
                        << "\n";
    return 0;
}

// Run by the test above: prints how long reading the names took, in ms.
int TimeConnectionNames(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QElapsedTimer clock;
    clock.start();
    NetworkManagerConnectionNames(kNetworkManagerTimeout);
    QTextStream(stdout) << clock.elapsed() << "\n";
    return 0;
}

int main(int argc, char** argv)
{
    if (argc == 3 && QByteArray(argv[1]) == "--print-verdict")
        return PrintVerdict(argc, argv);
    if (argc == 2 && QByteArray(argv[1]) == "--time-connection-names")
        return TimeConnectionNames(argc, argv);
    QCoreApplication application(argc, argv);
    TestHostNetwork test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_HostNetwork.moc"
