// Wall time and request count of whole apply runs with zero pauses against
// the router emulator on loopback (PPPoE, WPA2, with a password change).

#include "CApplyRun.h"
#include "CIpLink.h"
#include "FakePause.h"
#include "InputChecks.h"
#include "RouterSim.h"
#include "SampleSettings.h"
#include "WizardSettings.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main()
{
    constexpr int Runs = 50;
    RouterSim sim;
    if (sim.Start(0) < 0)
        return 1;
    ApplyRunOptions options;
    options.RouterAddress = sim.Address();
    options.StepPause = options.SettlePause = std::chrono::milliseconds(0);

    WizardSettings settings;  // what every run applies, through link
    CIpLink link(settings);
    std::vector<double> milliseconds;
    std::size_t requests = 0;
    for (int i = 0; i < Runs; ++i)
    {
        sim.SetState(SimRouterState{});
        sim.ClearRequests();
        settings = SamplePppoeSettingsWithNewPassword();
        FakePause pause;
        CApplyRun run(link, settings, pause, options);
        const auto start = std::chrono::steady_clock::now();
        if (run.Run() != ApplyOutcome::Applied)
            return std::fprintf(stderr, "run %d failed\n", i), 1;
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now()
                                                               - start;
        milliseconds.push_back(took.count());
        requests = sim.Requests().size();
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf(
        "apply run, %d runs: median %.2f ms, min %.2f ms, max %.2f ms, %zu requests per run\n",
        Runs, milliseconds[Runs / 2], milliseconds.front(), milliseconds.back(), requests);
    return 0;
}
