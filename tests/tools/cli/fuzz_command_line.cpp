// libFuzzer target for tarnix-setup's command line (built by tools/fuzz.sh):
// the words are sorted and the apply command's values judged as the program
// does. What is accepted must be what the program can carry out: a router
// address with a port of 1..65535, probe sites on http or https, pauses of at
// most an hour, and requests that fit their buffers whole.
//
// The input is split at its NUL bytes into the words of the command line.

#include "ApplyValues.h"
#include "CommandLine.h"
#include "RouterUrls.h"
#include "TextRules.h"
#include "WizardSettings.h"

#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Require(bool holds)
{
    if (!holds)
        std::abort();
}

std::vector<std::string> Words(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> words;
    std::string word;
    for (std::size_t i = 0; i < size; ++i)
    {
        if (data[i] == 0)
        {
            words.push_back(word);
            word.clear();
        }
        else
        {
            word += char(data[i]);
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

void RequireAccepted(const CommandLine& line, const WizardSettings& s, const ApplyRequest& request)
{
    using std::chrono::hours;
    Require(request.RunOptions.StepPause >= hours(0) && request.RunOptions.StepPause <= hours(1));
    Require(request.RunOptions.SettlePause >= hours(0)
            && request.RunOptions.SettlePause <= hours(1));
    for (std::string url : request.ProbeUrls)
    {
        for (char& c : url)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        Require(url.rfind("http://", 0) == 0 || url.rfind("https://", 0) == 0);
        Require(!HasLineBreakOrNul(url) && url.find(' ') == std::string::npos);
    }
    Require(request.ProbeUrls.size() <= 3);
    Require(s.AtmVpi >= 0 && s.AtmVpi <= 255 && s.AtmVci >= 32 && s.AtmVci <= 65535);
    const std::string& host = line.RouterAddress;
    Require(!host.empty() && !HasLineBreakOrNul(host));
    if (const std::size_t colon = host.rfind(':');
        colon != std::string::npos && host.find(']') == std::string::npos)
    {
        const int port = std::stoi(host.substr(colon + 1));
        Require(port >= 1 && port <= 65535);
    }
    // The run's requests, with room for the router's tokens, fit whole.
    const std::string key(32, '7');
    const auto whole = [](const std::optional<std::string>& text) {
        Require(text.has_value() && !HasLineBreakOrNul(*text));
    };
    whole(LoginBody("admin", s.RouterPassword));
    whole(WanSummaryUrl(WanVariantFor(s), s, host, key));
    whole(WirelessBasicUrl(s, host, key));
    whole(WirelessSecurityUrl(host, s.WirelessKey, s.WirelessSecurityIndex, key));
    whole(SecurityCookie(s.RouterPassword, key));
    Require(s.RouterPassword.find(';') == std::string::npos);
    if (s.PasswordChangeRequested)
    {
        whole(PasswordChangeUrl(s, host, key));
        Require(s.NewRouterPassword.find(';') == std::string::npos);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const CommandLine line = ParseCommandLine(Words(data, size));
    if (!line.UsageError.empty() || line.HelpWanted || line.Command != "apply")
        return 0;
    WizardSettings settings;
    ApplyRequest request;
    const ApplyValuesResult result = ReadApplyValues(line, settings, request);
    if (result.UsageError.empty() && result.Refused == CheckMessage::None
        && result.NotCarried.Carried())
        RequireAccepted(line, settings, request);
    return 0;
}
