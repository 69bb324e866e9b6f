#pragma once
// Turns the apply command's options (and the secret environment variables)
// into WizardSettings and run options, judging the values with the same rules
// and messages as the wizard's pages.

#include "CApplyRun.h"
#include "CommandLine.h"
#include "InputChecks.h"

#include <string>
#include <vector>

struct WizardSettings;

struct ApplyRequest
{
    ApplyRunOptions RunOptions;
    std::vector<std::string> ProbeUrls;  // empty: the defaults
    bool Probe = true;
};

struct ApplyValuesResult
{
    std::string UsageError;                     // an unknown word or a malformed number
    CheckMessage Refused = CheckMessage::None;  // a value the pages would refuse
    CarryCheck NotCarried;                      // a value the router link cannot carry
};

// The option that gives a field's value.
const char* OptionOf(CarriedField field);
// The option whose value the pages' check refused with message.
const char* OptionOf(const CommandLine& line, CheckMessage refused);

// Writes settings and request only when the result holds no error, no
// refusal and nothing the router link cannot carry.
ApplyValuesResult ReadApplyValues(const CommandLine& line, WizardSettings& settings,
                                  ApplyRequest& request);

// The option's value, else the environment variable's when set and not empty,
// else fallback.
std::string SecretValue(const CommandLine& line, const std::string& option, const char* variable,
                        const std::string& fallback = {});
