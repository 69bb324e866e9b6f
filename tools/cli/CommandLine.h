#pragma once
// The words of tarnix-setup's command line, sorted into the router address,
// the command and its options. Only the form is checked here; the values are
// judged by the command that uses them.

#include "RouterDefaults.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

struct CommandLine
{
    std::string RouterAddress = kDefaultRouterAddress;
    std::string Command;
    // Option name without "--" -> every value given, in order.
    std::map<std::string, std::vector<std::string>> Options;
    bool HelpWanted = false;
    bool VersionWanted = false;
    std::string UsageError;  // empty when the words make sense

    // The last value given for name, or fallback.
    std::string Value(const std::string& name, const std::string& fallback = {}) const;
    bool Has(const std::string& name) const;
};

// True when text is one or more of the digits 0-9 and nothing else.
bool IsDecimalDigits(std::string_view text);

CommandLine ParseCommandLine(const std::vector<std::string>& words);

extern const char HelpText[];
