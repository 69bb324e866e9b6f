#include "CommandLine.h"

#include "InternetProbe.h"
#include "RouterAddress.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <string_view>

namespace {
const std::map<std::string, std::set<std::string>> OptionsOfCommand = {
    {"login", {"password"}},
    {"apply",
     {"country",
      "protocol",
      "encapsulation",
      "vpi",
      "vci",
      "mer-ip",
      "ppp-user",
      "ppp-password",
      "ip",
      "mask",
      "gateway",
      "dns1",
      "dns2",
      "ssid",
      "security",
      "key",
      "router-password",
      "new-router-password",
      "pause-ms",
      "settle-ms",
      "probe-url",
      "no-probe"}},
    {"read-wireless", {"json"}},
    {"dsl-status", {"json"}},
    {"check", {"password", "probe-url", "no-probe", "json"}},
};

// Options that take no value.
const std::set<std::string> Flags = {"no-probe", "json"};

constexpr std::size_t MaxProbeUrls = 3;

bool IsKnownOption(const std::string& name)
{
    return name == "router"
           || std::any_of(OptionsOfCommand.begin(), OptionsOfCommand.end(),
                          [&](const auto& entry) { return entry.second.count(name); });
}

bool IsOption(const std::string& word)
{
    return word.size() > 2 && word.rfind("--", 0) == 0;
}

// Reads one option at words[i], as "--name value" or "--name=value".
bool TakeOption(const std::vector<std::string>& words, std::size_t& i, std::string& name,
                std::string& value, std::string& error)
{
    name = words[i].substr(2);
    const std::size_t equals = name.find('=');
    if (equals != std::string::npos)
    {
        value = name.substr(equals + 1);
        name.resize(equals);
        return true;
    }
    if (Flags.count(name))
        return true;
    if (!IsKnownOption(name))
    {
        error = "unknown option --" + name;
        return false;
    }
    if (i + 1 >= words.size())
    {
        error = "--" + name + " needs a value";
        return false;
    }
    value = words[++i];
    return true;
}

void Check(CommandLine& line)
{
    if (!IsRouterAddress(line.RouterAddress))
    {
        line.UsageError = "--router needs a host, optionally with :port (1-65535): "
                          + line.RouterAddress;
        return;
    }
    if (line.Command.empty())
    {
        line.UsageError = "no command given";
        return;
    }
    const auto known = OptionsOfCommand.find(line.Command);
    if (known == OptionsOfCommand.end())
    {
        line.UsageError = "unknown command " + line.Command;
        return;
    }
    for (const auto& [name, values] : line.Options)
        if (!known->second.count(name))
            line.UsageError = "--" + name + " is not an option of " + line.Command;
    if (!line.UsageError.empty() || !line.Options.count("probe-url"))
        return;
    for (const std::string& url : line.Options.at("probe-url"))
        if (!IsProbeUrl(url))
            line.UsageError = "--probe-url needs an http:// or https:// address (port 1-65535): "
                              + url;
    if (line.Options.at("probe-url").size() > MaxProbeUrls)
        line.UsageError = "at most three --probe-url";
}
}  // namespace

bool IsDecimalDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) {
        return std::isdigit(c);
    });
}

std::string CommandLine::Value(const std::string& name, const std::string& fallback) const
{
    const auto found = Options.find(name);
    return found == Options.end() ? fallback : found->second.back();
}

bool CommandLine::Has(const std::string& name) const
{
    return Options.count(name) != 0;
}

CommandLine ParseCommandLine(const std::vector<std::string>& words)
{
    CommandLine line;
    for (std::size_t i = 0; i < words.size() && line.UsageError.empty(); ++i)
    {
        if (words[i] == "--help" || words[i] == "-h")
        {
            line.HelpWanted = true;
            return line;
        }
        if (words[i] == "--version" || words[i] == "-V")
        {
            line.VersionWanted = true;
            return line;
        }
        if (!IsOption(words[i]))
        {
            if (!line.Command.empty())
            {
                line.UsageError = "more than one command given";
                break;
            }
            line.Command = words[i];
            continue;
        }
        std::string name, value;
        if (!TakeOption(words, i, name, value, line.UsageError))
            break;
        if (name == "router")
            line.RouterAddress = value;
        else
            line.Options[name].push_back(value);
    }
    if (line.UsageError.empty())
        Check(line);
    return line;
}

const char HelpText[] = R"(Usage: tarnix-setup [--router ADDRESS] COMMAND [options]

Sets up the KRX-5100A modem router through its web interface.

  --router ADDRESS   host of every router URL, optionally with :port of
                     1-65535 (default 192.168.1.1)

Commands:
  login [--password P]   log in as admin (one retry); exit 0 accepted, 1 refused;
                         P defaults to TARNIX_ROUTER_PASSWORD, else vabel
  apply [options]        apply the settings below, then check the Internet;
                         exit 0 applied and a probe site answered (or --no-probe),
                         1 the router refused a step, 2 bad usage or invalid
                         values, 3 applied but no probe site answered, 4
                         nothing answered the first login (nothing sent)
  read-wireless [--json] print "SSID: <name>" and "Key: <key>" ("Key: None"
                         when empty); exit 0, 1 when the page was not handed
                         out or holds no network name (nothing printed)
  dsl-status [--json]    print "up" or "down"; exit 0 up, 1 down, page not
                         handed out or no rate shown
  check [--password P] [--probe-url URL]... [--no-probe] [--json]
                         the computer's adapters and whether one reaches the
                         router's network, whether the router answers, the
                         login (P as for login), the DSL line and its rate and
                         the Internet probe; exit 0 all well, 1 otherwise

  --json                 one JSON object on stdout instead of lines; rates
                         are numbers (kbit/s), null when not shown

Every command: exit 4 when nothing answers over HTTP at the router's address
(connection refused, time-out, an answer cut short or not HTTP), with "no
answer from the router at ADDRESS" on stderr; any HTTP answer counts as one.
apply sends nothing past a first login that got no answer or no session cookie.

apply options (value words are case-insensitive):
  --country au|nz              default au
  --protocol pppoe|pppoa|mer|ipoa|bridge
  --encapsulation llc|vcmux
  --vpi N  --vci N             protocol, encapsulation, VPI and VCI default to the
                               country's: au PPPoE, LLC, 8, 35; nz PPPoA, VC Mux, 0, 100
  --mer-ip dynamic|static      default dynamic
  --ppp-user U --ppp-password P
                               PPPoE and PPPoA
  --ip A --mask M --gateway G --dns1 A [--dns2 A]
                               IPoA and MER static; a missing dns2 is 0.0.0.0
  --ssid S                     default Tarnix
  --security wpa|wpa2|none     default wpa2
  --key K                      wireless key, 8 to 63 characters once white
                               space at both ends is trimmed
  --router-password P          the router's current admin password (default vabel)
  --new-router-password P      set this admin password on the router
  --pause-ms N                 pause after each router step (default 1500)
  --settle-ms N                pause after the last request (default 50000);
                               pauses are digits only, at most 3600000 (one hour)
  --probe-url URL              http:// or https:// probe site, repeatable, up to 3, tried in order
                               (default: the maker's support site, a search
                               engine's home page, one more public site)
  --no-probe                   do not check the Internet afterwards

Values are checked as the wizard's pages check them; a refused value prints the
page's message on stderr, exits 2 and sends nothing. So is a value the router
link cannot carry: too long for its request, or a router password holding ";"
or a control character (it travels in a cookie). VPI and VCI are digits only.

Environment (an option wins), so that secrets stay out of the process list:
  TARNIX_PPP_PASSWORD          for --ppp-password
  TARNIX_WIFI_KEY              for --key
  TARNIX_ROUTER_PASSWORD       for --router-password (and login's --password)
  TARNIX_NEW_ROUTER_PASSWORD   for --new-router-password

  -h, --help                   show this text
  -V, --version                show the version

Progress goes to stderr, one line per step; no secret is printed. Control
characters in what the router sends are printed as "?".
)";
