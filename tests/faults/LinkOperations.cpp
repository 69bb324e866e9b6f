#include "LinkOperations.h"

#include "CApplyRun.h"
#include "CCancellablePause.h"
#include "CIpLink.h"
#include "InternetProbe.h"
#include "WizardSettings.h"

#include <QUrlQuery>

using namespace std::chrono_literals;

namespace {

QString OutcomeName(ApplyOutcome outcome)
{
    switch (outcome)
    {
    case ApplyOutcome::Applied: return "applied";
    case ApplyOutcome::NoAnswer: return "no answer";
    case ApplyOutcome::LoginRefused: return "login refused";
    case ApplyOutcome::WanServiceFailed: return "WAN failed";
    case ApplyOutcome::WirelessFailed: return "wireless failed";
    case ApplyOutcome::PasswordChangeFailed: return "password failed";
    case ApplyOutcome::Cancelled: return "cancelled";
    case ApplyOutcome::NotCarried: return "not carried";
    }
    return {};
}

// Short names of the causes a failed run can find.
QString CauseName(FailureCause cause)
{
    switch (cause)
    {
    case FailureCause::RouterNoAnswer: return "no answer";
    case FailureCause::LoginRefused: return "login refused";
    case FailureCause::InternetServiceRefused: return "service refused";
    case FailureCause::WirelessNetworkRefused: return "network refused";
    case FailureCause::WirelessSecurityRefused: return "security refused";
    case FailureCause::RouterPasswordRefused: return "password refused";
    default: return {};
    }
}

// The outcome, and for a run that failed at a step the cause it found.
QString RunApply(const std::string& address, const HttpTimeouts& timeouts)
{
    CCancellablePause pause;
    ApplyRunOptions options;
    options.RouterAddress = address;
    options.StepPause = 0ms;
    options.SettlePause = 0ms;
    options.Timeouts = timeouts;
    CApplyRun run(*GetRouterLink(), GetWizardSettings(), pause, options);
    const ApplyOutcome outcome = run.Run();
    if (outcome == ApplyOutcome::NoAnswer || outcome == ApplyOutcome::LoginRefused)
        return OutcomeName(outcome);
    if (outcome != ApplyOutcome::Applied)
        return OutcomeName(outcome) + ", " + CauseName(run.Cause());
    const std::vector<std::string> probe = {"http://" + address + "/support"};
    return ProbeSitesInOrder(probe, timeouts.Probe) == 0 ? "applied, online" : "applied, offline";
}

}  // namespace

QString RunOperation(Operation operation, const std::string& address, const HttpTimeouts& timeouts)
{
    CIpLink& link = *GetRouterLink();
    link.SetUserName("admin");
    link.SetPassword("vabel");
    link.SetRouterAddress(address);
    link.SetTimeouts(timeouts);
    switch (operation)
    {
    case Operation::ApplyRun: return RunApply(address, timeouts);
    case Operation::Login:
        if (LoginWithOneRetry(link))
            return "accepted";
        return link.LastRequestAnswered() ? "refused" : "no answer";
    case Operation::DslStatus: return link.IsDslLineUp() ? "up" : "down";
    case Operation::ReadWireless:
    {
        std::string name, key;
        CIpLink::ReadWirelessSettings(link, name, key);
        return QString::fromStdString("SSID " + name + ", key " + key);
    }
    }
    return {};
}

QStringList Removals(const std::vector<SimRequest>& requests)
{
    QStringList names;
    for (const SimRequest& request : requests)
    {
        const QUrlQuery query(QString::fromStdString(request.Query));
        if (request.Path == "/dlwancfg.cmd" && query.queryItemValue("action") == "remove")
            names << query.queryItemValue("rmLst", QUrl::FullyDecoded);
    }
    return names;
}
