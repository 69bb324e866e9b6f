#include "RouterCommands.h"

#include "ApplyValues.h"
#include "CIpLink.h"
#include "CommandLine.h"
#include "ExitCodes.h"
#include "RouterStatus.h"
#include "TextRules.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <charconv>
#include <cstdint>
#include <iostream>

namespace {
QString Text(const std::string& narrow)
{
    return QString::fromStdString(narrow);
}

// ExitFailed with why on stderr.
int Failed(const std::string& why)
{
    PrintLine(std::cerr, "tarnix-setup: " + why);
    return ExitFailed;
}

// The exit of a read that did not give the page's values. What answered may
// not be this router at all, so the words do not say it was.
int UnreadExit(const CommandLine& line, StatusRead result, const char* page)
{
    const std::string answered = "something at " + line.RouterAddress + " answered, but ";
    switch (result)
    {
    case StatusRead::NoAnswer: return NoRouterAnswer(line);
    case StatusRead::NotReadable: return Failed(answered + "did not hand out the " + page);
    case StatusRead::MarkersMissing:
        return Failed(answered + "its " + page + " does not hold the expected values");
    case StatusRead::Read: break;
    }
    return ExitDone;
}
}  // namespace

void PrintLine(std::ostream& out, std::string_view line)
{
    out << ControlsReplaced(line) << "\n";
}

void PrintJsonLine(const QJsonObject& object)
{
    PrintLine(std::cout, QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString());
}

CIpLink& PreparedLink(CIpLink& link, const CommandLine& line, const std::string& password)
{
    link.SetUserName(kRouterUserName);
    link.SetPassword(password);
    link.SetRouterAddress(line.RouterAddress);
    return link;
}

std::string LoginPassword(const CommandLine& line)
{
    return SecretValue(line, "password", "TARNIX_ROUTER_PASSWORD", kFactoryPassword);
}

QJsonValue RateJson(const DslLineStatus& status)
{
    std::uint32_t kbits = 0;
    const std::string& rate = status.DownstreamRate;
    const auto [end, problem] = std::from_chars(rate.data(), rate.data() + rate.size(), kbits);
    const bool number = status.Result == StatusRead::Read && IsDecimalDigits(rate)
                        && problem == std::errc() && end == rate.data() + rate.size();
    return number ? QJsonValue(qint64(kbits)) : QJsonValue();
}

int NoRouterAnswer(const CommandLine& line)
{
    PrintLine(std::cerr, "tarnix-setup: no answer from the router at " + line.RouterAddress);
    return ExitNoRouter;
}

int LoginCommand(const CommandLine& line, CIpLink& link)
{
    PreparedLink(link, line, LoginPassword(line));
    if (LoginWithOneRetry(link))
    {
        std::cout << "accepted\n";
        return ExitDone;
    }
    if (!link.LastRequestAnswered())
        return NoRouterAnswer(line);
    std::cout << "refused\n";
    return ExitFailed;
}

int ReadWirelessCommand(const CommandLine& line)
{
    const WirelessStatus wireless = ReadWirelessStatus(line.RouterAddress);
    if (wireless.Result != StatusRead::Read)
        return UnreadExit(line, wireless.Result, "wireless security page");
    if (line.Has("json"))
        PrintJsonLine({{"ssid", Text(wireless.Name)}, {"key", Text(wireless.Key)}});
    else
    {
        PrintLine(std::cout, "SSID: " + wireless.Name);
        PrintLine(std::cout, "Key: " + (wireless.Key.empty() ? "None" : wireless.Key));
    }
    return ExitDone;
}

int DslStatusCommand(const CommandLine& line)
{
    const DslLineStatus status = ReadDslLineStatus(line.RouterAddress);
    if (status.Result != StatusRead::Read)
        return UnreadExit(line, status.Result, "status page");
    if (line.Has("json"))
        PrintJsonLine({{"lineUp", status.Up()}, {"downstreamRate", RateJson(status)}});
    else
        std::cout << (status.Up() ? "up" : "down") << "\n";
    return status.Up() ? ExitDone : ExitFailed;
}
