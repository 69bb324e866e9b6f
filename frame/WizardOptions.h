#pragma once
// The program's command-line options, parsed once at start into one
// process-wide record. Every place that talks to the router takes its address
// from here, so the wizard can be pointed at the emulator.

#include "HttpTransport.h"
#include "RouterDefaults.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <string>
#include <vector>

// How often the Apply page looks for the run's result.
inline constexpr std::chrono::milliseconds kResultTimerPeriod{500};
// A failed run opens the light box on the look after this many.
inline constexpr int kFailureTickLimit = 120;

struct WizardOptions
{
    std::string RouterAddress = kDefaultRouterAddress;  // host[:port]
    std::vector<std::string> ProbeUrls{kDefaultProbeUrls.begin(), kDefaultProbeUrls.end()};
    int PauseMs = int(kStepPause.count());     // after each login, WAN or wireless request
    int SettleMs = int(kSettlePause.count());  // after the last router request
    HttpTimeouts Timeouts;                     // of every router request and probe (--timeout-ms)
    std::chrono::milliseconds ResultTimerPeriod = kResultTimerPeriod;  // --result-check-ms
};

// The session's record; defaults until ParseWizardOptions fills it.
WizardOptions& GetWizardOptions();

// The router address every login and request uses (default kDefaultRouterAddress).
std::string ConfiguredRouterAddress();

enum class OptionsOutcome
{
    Run,       // options read into the record
    ShowText,  // --help or --version: print message to stdout, exit 0
    Invalid,   // print message to stderr, exit 2
};

// Reads arguments (arguments[0] is the program) into options; options is
// left as it was unless the outcome is Run. The toolkit's own options
// (-style, -platform, -reverse, ...) are left for QApplication.
OptionsOutcome ParseWizardOptions(const QStringList& arguments, WizardOptions& options,
                                  QString& message);

// arguments without the toolkit's own options and their values.
QStringList WithoutToolkitOptions(const QStringList& arguments);
// Whether arguments choose a window system plugin (-platform).
bool ChoosesPlatform(const QStringList& arguments);
