// tarnix-setup: the wizard's router work without a window, for technicians
// and scripts. Progress and problems go to stderr, results to stdout; no
// password or key is ever printed except the key read-wireless was asked for.

#include "ApplyValues.h"
#include "CApplyRun.h"
#include "CCancellablePause.h"
#include "CIpLink.h"
#include "CommandLine.h"
#include "CurlLibrary.h"
#include "ExitCodes.h"
#include "InternetProbe.h"
#include "NoCoreDumps.h"
#include "RouterCommands.h"
#include "TarnixVersion.h"
#include "WizardSettings.h"

#include <iostream>

namespace {
int UsageError(const std::string& problem)
{
    // The problem may quote what was typed, escape sequences included.
    PrintLine(std::cerr, "tarnix-setup: " + problem);
    std::cerr << "Try 'tarnix-setup --help'.\n";
    return ExitUsage;
}

// One line per step: the settle step reports every second but is shown once.
CApplyRun::ProgressCallback ProgressLines()
{
    return [shown = false, last = ApplyStep::WanLogin](ApplyStep step,
                                                       std::chrono::milliseconds left) mutable {
        if (shown && step == last)
            return;
        shown = true;
        last = step;
        std::cerr << "tarnix-setup: " << ApplyStepName(step);
        if (step == ApplyStep::Settle)
            std::cerr << " (" << left.count() << " ms)";
        std::cerr << "\n";
    };
}

int Probe(const ApplyRequest& request)
{
    const std::vector<std::string> urls = request.ProbeUrls.empty() ? DefaultProbeUrls()
                                                                    : request.ProbeUrls;
    const auto announce = [](const std::string& url) {
        PrintLine(std::cerr, "tarnix-setup: Probing " + url);
    };
    const int answered = ProbeSitesInOrder(urls, request.RunOptions.Timeouts.Probe, announce);
    if (answered < 0)
    {
        std::cerr << "tarnix-setup: No probe site answered\n";
        return ExitNoInternet;
    }
    PrintLine(std::cerr, "tarnix-setup: " + urls[answered] + " answered");
    return ExitDone;
}

int Apply(const CommandLine& line, CIpLink& link, WizardSettings& settings)
{
    ApplyRequest request;
    const ApplyValuesResult values = ReadApplyValues(line, settings, request);
    if (!values.UsageError.empty())
        return UsageError(values.UsageError);
    if (values.Refused != CheckMessage::None)
    {
        std::cerr << "tarnix-setup: " << OptionOf(line, values.Refused) << ": "
                  << CheckMessageText(values.Refused) << "\n";
        return ExitUsage;
    }
    if (!values.NotCarried.Carried())
    {
        std::cerr << "tarnix-setup: " << OptionOf(values.NotCarried.Field) << ": "
                  << CarryMessage(values.NotCarried) << "\n";
        return ExitUsage;
    }
    CCancellablePause pause;
    CApplyRun run(link, settings, pause, request.RunOptions, ProgressLines());
    const ApplyOutcome outcome = run.Run();
    std::cerr << "tarnix-setup: " << ApplyOutcomeText(outcome) << "\n";
    if (run.Cause() != FailureCause::None)
        std::cerr << "tarnix-setup: " << FailureCauseText(run.Cause()) << "\n";
    // Once the router has answered, a later silence is a failed run (1).
    if (outcome == ApplyOutcome::NoAnswer)
        return NoRouterAnswer(line);
    if (outcome != ApplyOutcome::Applied)
        return ExitFailed;
    return request.Probe ? Probe(request) : ExitDone;
}
}  // namespace

int main(int argc, char** argv)
{
    // The router, Internet account and wireless passwords pass through this
    // process's memory; a core file would keep them on disk.
    DisableCoreDumps();
    const CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (line.HelpWanted)
    {
        std::cout << HelpText;
        return ExitDone;
    }
    if (line.VersionWanted)
    {
        std::cout << "tarnix-setup " << kTarnixVersion << "\n";
        return ExitDone;
    }
    if (!line.UsageError.empty())
        return UsageError(line.UsageError);
    // Every command talks to the router: without libcurl none could.
    if (const std::string problem = CurlProblem(); !problem.empty())
    {
        std::cerr << "tarnix-setup: cannot reach the router: " << problem
                  << "; installing the package libcurl4 puts it right\n";
        return ExitFailed;
    }
    // What the apply command fills in and the link that sends it: this run's own.
    WizardSettings settings;
    CIpLink link(settings);
    if (line.Command == "login")
        return LoginCommand(line, link);
    if (line.Command == "apply")
        return Apply(line, link, settings);
    if (line.Command == "read-wireless")
        return ReadWirelessCommand(line);
    if (line.Command == "check")
        return CheckCommand(line, link);
    return DslStatusCommand(line);
}
