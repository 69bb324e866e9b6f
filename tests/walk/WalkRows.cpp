#include "WalkRows.h"

#include <QStringList>
#include <QTest>

#include <algorithm>

std::vector<ProtocolRow> ProtocolRows()
{
    const WalkAddresses office{"10.1.2.3", "255.255.255.0", "10.1.2.1", "10.1.2.53", "10.1.2.54"};
    const WalkAddresses shop{"203.0.113.7", "255.255.255.248", "203.0.113.1", "198.51.100.53", ""};
    WalkPlan p;
    std::vector<ProtocolRow> rows;

    p = {};
    p.Protocol = WalkProtocol::Pppoe;
    p.PppUser = "walker@isp.example";
    p.PppPassword = "ppp-Secret1";
    p.Ssid = "WalkNet-E";
    p.Security = SecurityWpa2;
    p.Key = "wpa2-key-0001";
    rows.push_back({"PPPoE",
                    p,
                    "pppoe_0_8_35",
                    {{"ntwkPrtcl", "0"},
                     {"encapMode", "0"},
                     {"pppUserName", "walker@isp.example"},
                     {"pppPassword", "ppp-Secret1"}}});

    p = {};
    p.Protocol = WalkProtocol::Pppoa;
    p.Country = CountryNewZealand;
    p.Encapsulation = EncapsulationVcMux;
    p.Vpi = "0";
    p.Vci = "100";
    p.PppUser = "kiwi.walker";
    p.PppPassword = "ppp-Secret2";
    p.Ssid = "WalkNet-A";
    p.Security = SecurityWpa;
    p.Key = "wpa-key-00002";
    // The router's PPPoA form numbers the encapsulations the other way round.
    rows.push_back({"PPPoA",
                    p,
                    "pppoa_0_0_100",
                    {{"ntwkPrtcl", "1"},
                     {"encapMode", "0"},
                     {"pppUserName", "kiwi.walker"},
                     {"pppPassword", "ppp-Secret2"}}});

    p = {};
    p.Protocol = WalkProtocol::MerDynamic;
    p.Vpi = "1";
    p.Vci = "32";
    p.Ssid = "WalkNet-MD";
    p.Security = SecurityNone;
    rows.push_back({"MER dynamic",
                    p,
                    "mer_0_1_32",
                    {{"ntwkPrtcl", "2"}, {"encapMode", "0"}, {"enblDhcpClnt", "1"}}});

    p = {};
    p.Protocol = WalkProtocol::MerStatic;
    p.Encapsulation = EncapsulationVcMux;
    p.Vci = "48";
    p.Addresses = office;
    p.Ssid = "WalkNet-MS";
    p.Security = SecurityWpa2;
    p.Key = "wpa2-key-0004";
    rows.push_back({"MER static",
                    p,
                    "mer_0_8_48",
                    {{"ntwkPrtcl", "6"},
                     {"encapMode", "1"},
                     {"enblDhcpClnt", "0"},
                     {"wanIpAddress", "10.1.2.3"},
                     {"wanSubnetMask", "255.255.255.0"},
                     {"wanIntfGateway", "10.1.2.1"},
                     {"wanInfDnsPrimary", "10.1.2.53"},
                     {"wanInfDnsSecondary", "10.1.2.54"}}});

    p = {};
    p.Protocol = WalkProtocol::Ipoa;
    p.Addresses = shop;
    p.Ssid = "WalkNet-I";
    p.Security = SecurityWpa;
    p.Key = "wpa-key-00005";
    rows.push_back({"IPoA",
                    p,
                    "ipoa_0_8_35",
                    {{"ntwkPrtcl", "5"},
                     {"encapMode", "0"},
                     {"wanIpAddress", "203.0.113.7"},
                     {"wanSubnetMask", "255.255.255.248"},
                     {"wanIntfGateway", "203.0.113.1"},
                     {"wanInfDnsPrimary", "198.51.100.53"},
                     {"wanInfDnsSecondary", "0.0.0.0"}}});

    p = {};
    p.Protocol = WalkProtocol::Bridge;
    p.Country = CountryNewZealand;
    p.Encapsulation = EncapsulationLlc;
    p.Vpi = "0";
    p.Vci = "40";
    p.Ssid = "WalkNet-B";
    p.Security = SecurityWpa2;
    p.Key = "wpa2-key-0006";
    rows.push_back({"Bridge", p, "br_0_0_40", {{"ntwkPrtcl", "3"}, {"encapMode", "0"}}});
    return rows;
}

namespace {

struct PasswordRow
{
    const char* name;
    RouterPasswordState state;
    QString routerHas;
    QString typedNew;
    QString routerEndsWith;
    std::size_t passwordRequests;  // password changes the router receives
};

const PasswordRow kPasswordRows[] = {
    {"factory password", RouterPasswordState::Factory, "vabel", "Admin-New1", "Admin-New1", 1},
    {"changed password kept", RouterPasswordState::ChangedKept, "Mine-2024", "", "Mine-2024", 0},
    {"changed password changed again", RouterPasswordState::ChangedAndChanged, "Mine-2024",
     "Fresh-2025", "Fresh-2025", 1},
};

void AddSetupColumns()
{
    QTest::addColumn<WalkPlan>("plan");
    QTest::addColumn<QString>("routerHas");
    QTest::addColumn<QString>("routerEndsWith");
    QTest::addColumn<std::size_t>("passwordRequests");
    QTest::addColumn<std::string>("serviceName");
    QTest::addColumn<std::map<std::string, std::string>>("serviceParams");
}

}  // namespace

SimRouterState RouterBefore(const QString& adminPassword)
{
    SimRouterState state;
    state.Services = {{"br_0_0_32", {{"serviceName", "br_0_0_32"}}}};
    state.Ssid = "OldNet";
    state.Key = kOldKey;
    state.AdminPassword = adminPassword.toStdString();
    return state;
}

void AddSetupRoadRows()
{
    AddSetupColumns();
    for (const ProtocolRow& protocol : ProtocolRows())
        for (WalkPath path : {WalkPath::FirstInstall, WalkPath::QuickInstall})
            for (const PasswordRow& password : kPasswordRows)
            {
                WalkPlan plan = protocol.typed;
                plan.Path = path;
                plan.Password = password.state;
                plan.RouterPassword = password.routerHas;
                plan.NewRouterPassword = password.typedNew;
                const char* pathName = path == WalkPath::FirstInstall ? "first install" : "quick";
                QTest::addRow("%s, %s, %s", protocol.name, pathName, password.name)
                    << plan << password.routerHas << password.routerEndsWith
                    << password.passwordRequests << protocol.serviceName << protocol.serviceParams;
            }
}

void AddFailureRoadRows()
{
    AddSetupColumns();
    const std::vector<ProtocolRow> protocols = ProtocolRows();
    const struct
    {
        int protocol;
        WalkPath path;
        int password;
    } rows[] = {{0, WalkPath::QuickInstall, 0}, {3, WalkPath::FirstInstall, 2}};
    for (const auto& row : rows)
    {
        const ProtocolRow& protocol = protocols[row.protocol];
        const PasswordRow& password = kPasswordRows[row.password];
        WalkPlan plan = protocol.typed;
        plan.Path = row.path;
        plan.Password = password.state;
        plan.RouterPassword = password.routerHas;
        plan.NewRouterPassword = password.typedNew;
        plan.RetryAfterLightBox = true;
        QTest::addRow("%s, %s", protocol.name, password.name)
            << plan << password.routerHas << password.routerEndsWith << password.passwordRequests
            << protocol.serviceName << protocol.serviceParams;
    }
}

void CollectRoads(const FlowRoad& taken, PageId at, std::vector<FlowRoad>& roads)
{
    bool goesOn = false;
    for (const FlowRow& row : PageFlowTable())
    {
        if (row.From != at)
            continue;
        goesOn = true;
        FlowRoad road = taken;
        road.push_back(row);
        const bool loops = std::any_of(taken.begin(), taken.end(),
                                       [&row](const FlowRow& t) { return t.From == row.To; });
        if (loops)
            roads.push_back(road);
        else
            CollectRoads(road, row.To, roads);
    }
    if (!goesOn && !taken.empty())
        roads.push_back(taken);
}

QByteArray RoadName(const FlowRoad& road)
{
    QStringList choices;
    for (const FlowRow& row : road)
        if (row.Choice != FlowChoice::Next)
            choices << QString("%1 %2").arg(PageIdName(row.From), FlowChoiceName(row.Choice));
    return choices.join(", ").toUtf8();
}
