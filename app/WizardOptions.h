#pragma once
// The program's command-line options, parsed once at start into one
// process-wide record. Every place that talks to the router takes its address
// from here, so the wizard can be pointed at the emulator.

#include "HttpTransport.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

inline constexpr char kDefaultRouterAddress[] = "192.168.1.1";

struct WizardOptions
{
    std::string RouterAddress = kDefaultRouterAddress;  // host[:port]
    std::vector<std::string> ProbeUrls{kSupportProbeUrl, kSearchProbeUrl, kThirdProbeUrl};
    int PauseMs = 1500;       // after each login, WAN or wireless request
    int SettleMs = 50000;     // after the last router request
};

// The process-wide record; defaults until ParseWizardOptions fills it.
WizardOptions& GetWizardOptions();

// The router address every login and request uses (default 192.168.1.1).
std::string ConfiguredRouterAddress();

enum class OptionsOutcome
{
    Run,        // options read into the record
    ShowText,   // --help or --version: print message to stdout, exit 0
    Invalid,    // print message to stderr, exit 2
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
