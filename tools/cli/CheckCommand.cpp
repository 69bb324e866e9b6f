// tarnix-setup check: the wizard's diagnosis from a terminal. The computer's
// adapters and whether one reaches the router's network, whether the router
// answers, the login, the DSL line and its rate, and the Internet probe.
// Exit 4 when nothing answered the login at the router's address.

#include "RouterCommands.h"

#include "CIpLink.h"
#include "CommandLine.h"
#include "ExitCodes.h"
#include "HostNetwork.h"
#include "InternetProbe.h"
#include "RouterStatus.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

#include <iostream>
#include <optional>

namespace {
struct CheckReport
{
    HostNetworkState Host;
    QStringList AdaptersReachingRouter;
    RouterNetworkVerdict Network = RouterNetworkVerdict::CannotTell;
    bool RouterAnswers = false;         // anything answered the login over HTTP
    std::optional<bool> LoginAccepted;  // nullopt when nothing answered it
    DslLineStatus Line;
    std::optional<std::string> ProbeAnswered;  // the site that answered
    bool ProbeSkipped = false;

    bool AllWell() const
    {
        return Network != RouterNetworkVerdict::NotInAnyNetwork && RouterAnswers
               && LoginAccepted.value_or(false) && Line.Up() && (ProbeSkipped || ProbeAnswered);
    }
};

void ReadHost(const CommandLine& line, CheckReport& report)
{
    report.Host = HostNetwork().Read();
    const std::optional<Ipv4Address> router = ResolveRouterIpv4(
        QString::fromStdString(line.RouterAddress));
    report.Network = JudgeRouterNetwork(report.Host, router);
    if (router)
        for (const HostAdapter& adapter : AdaptersReaching(report.Host, *router))
            report.AdaptersReachingRouter << adapter.Name;
}

void Probe(const CommandLine& line, CheckReport& report)
{
    report.ProbeSkipped = line.Has("no-probe");
    if (report.ProbeSkipped)
        return;
    const std::vector<std::string> urls = line.Has("probe-url") ? line.Options.at("probe-url")
                                                                : DefaultProbeUrls();
    const int answered = ProbeSitesInOrder(urls, kProbeTimeout);
    if (answered >= 0)
        report.ProbeAnswered = urls[answered];
}

CheckReport RunCheck(const CommandLine& line, CIpLink& link)
{
    CheckReport report;
    ReadHost(line, report);
    PreparedLink(link, line, LoginPassword(line));
    const bool accepted = LoginWithOneRetry(link);
    report.RouterAnswers = link.LastRequestAnswered();
    if (report.RouterAnswers)
    {
        report.LoginAccepted = accepted;
        report.Line = ReadDslLineStatus(line.RouterAddress);
    }
    Probe(line, report);
    return report;
}

QString AddressesText(const HostAdapter& adapter)
{
    QStringList addresses;
    for (const HostIpv4Address& address : adapter.Ipv4)
        addresses << QString("%1/%2").arg(address.Address.ToString()).arg(address.PrefixLength);
    return addresses.join(' ');
}

const char* NetworkText(RouterNetworkVerdict verdict)
{
    switch (verdict)
    {
    case RouterNetworkVerdict::Reachable: return "reached";
    case RouterNetworkVerdict::NotInAnyNetwork: return "not reached";
    case RouterNetworkVerdict::CannotTell: return "unknown";
    }
    return "unknown";
}

const char* LoginText(const CheckReport& report)
{
    if (!report.LoginAccepted)
        return "no answer";
    return *report.LoginAccepted ? "accepted" : "refused";
}

const char* LineText(const DslLineStatus& line)
{
    if (line.Result != StatusRead::Read)
        return "unknown";
    return line.Up() ? "up" : "not up";
}

std::string ProbeText(const CheckReport& report)
{
    if (report.ProbeSkipped)
        return "not checked";
    return report.ProbeAnswered ? *report.ProbeAnswered + " answered" : "no probe site answered";
}

void PrintLines(const CommandLine& line, const CheckReport& report)
{
    for (const HostAdapter& adapter : report.Host.Adapters)
    {
        QStringList parts = {AdapterKindName(adapter.Kind), adapter.LinkUp ? "link" : "no link"};
        for (const QString& part :
             {adapter.HardwareAddress, AddressesText(adapter),
              adapter.ConnectionName.isEmpty() ? QString() : '"' + adapter.ConnectionName + '"'})
            if (!part.isEmpty())
                parts << part;
        PrintLine(std::cout, ("adapter " + adapter.Name + ": " + parts.join(", ")).toStdString());
    }
    for (const DefaultGateway& gateway : report.Host.Gateways)
        PrintLine(std::cout,
                  ("default gateway: " + gateway.Address.ToString() + " via " + gateway.Adapter)
                      .toStdString());
    std::string network = std::string("router network: ") + NetworkText(report.Network);
    if (!report.AdaptersReachingRouter.isEmpty())
        network += " through " + report.AdaptersReachingRouter.join(", ").toStdString();
    PrintLine(std::cout, network);
    PrintLine(std::cout, "router at " + line.RouterAddress + ": "
                             + (report.RouterAnswers ? "answers" : "no answer"));
    PrintLine(std::cout, std::string("login: ") + LoginText(report));
    PrintLine(std::cout, std::string("DSL line: ") + LineText(report.Line));
    PrintLine(std::cout,
              "downstream rate: "
                  + (report.Line.Result == StatusRead::Read ? report.Line.DownstreamRate + " kbit/s"
                                                            : "unknown"));
    PrintLine(std::cout, "Internet: " + ProbeText(report));
    PrintLine(std::cout, report.AllWell() ? "all well" : "problems found");
}

QJsonObject AdapterJson(const HostAdapter& adapter)
{
    QJsonArray addresses;
    for (const HostIpv4Address& address : adapter.Ipv4)
        addresses << QString("%1/%2").arg(address.Address.ToString()).arg(address.PrefixLength);
    return {{"name", adapter.Name},   {"kind", AdapterKindName(adapter.Kind)},
            {"link", adapter.LinkUp}, {"hardwareAddress", adapter.HardwareAddress},
            {"ipv4", addresses},      {"connection", adapter.ConnectionName}};
}

void PrintJson(const CommandLine& line, const CheckReport& report)
{
    QJsonArray adapters, gateways;
    for (const HostAdapter& adapter : report.Host.Adapters)
        adapters << AdapterJson(adapter);
    for (const DefaultGateway& gateway : report.Host.Gateways)
        gateways << QJsonObject{{"adapter", gateway.Adapter},
                                {"address", gateway.Address.ToString()}};
    const QJsonObject object{
        {"adapters", adapters},
        {"defaultGateways", gateways},
        {"routerAddress", QString::fromStdString(line.RouterAddress)},
        {"routerNetwork", NetworkText(report.Network)},
        {"adaptersReachingRouter", QJsonArray::fromStringList(report.AdaptersReachingRouter)},
        {"routerAnswers", report.RouterAnswers},
        {"login", LoginText(report)},
        {"dslLine", LineText(report.Line)},
        {"downstreamRate", RateJson(report.Line)},
        {"probe", report.ProbeSkipped    ? "skipped"
                  : report.ProbeAnswered ? "answered"
                                         : "failed"},
        {"probeAnswered", report.ProbeAnswered
                              ? QJsonValue(QString::fromStdString(*report.ProbeAnswered))
                              : QJsonValue()},
        {"allWell", report.AllWell()},
    };
    PrintJsonLine(object);
}
}  // namespace

int CheckCommand(const CommandLine& line, CIpLink& link)
{
    // NetworkManager is asked over D-Bus, which wants an application object.
    static int argc = 1;
    static char name[] = "tarnix-setup";
    static char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);
    const CheckReport report = RunCheck(line, link);
    if (line.Has("json"))
        PrintJson(line, report);
    else
        PrintLines(line, report);
    if (!report.RouterAnswers)
        return NoRouterAnswer(line);
    return report.AllWell() ? ExitDone : ExitFailed;
}
