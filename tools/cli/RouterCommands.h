#pragma once
// The commands that read from the router or log in: login, read-wireless,
// dsl-status and check. Each tells an address where nothing answers over
// HTTP (exit 4) from one where something answers and refuses (exit 1). Results go to stdout, as
// lines or, with --json, as one JSON object; problems to stderr. No password is printed; the
// wireless key only by read-wireless, which is asked for it.

#include <ostream>
#include <string>
#include <string_view>

struct CommandLine;
struct DslLineStatus;
class CIpLink;
class QJsonObject;
class QJsonValue;

int LoginCommand(const CommandLine& line, CIpLink& link);
int ReadWirelessCommand(const CommandLine& line);
int DslStatusCommand(const CommandLine& line);
int CheckCommand(const CommandLine& line, CIpLink& link);

// link set to user admin, password and --router.
CIpLink& PreparedLink(CIpLink& link, const CommandLine& line, const std::string& password);
// The password of login and check: --password, else TARNIX_ROUTER_PASSWORD,
// else the factory password.
std::string LoginPassword(const CommandLine& line);
// Prints line and a line break on out, every control character and every byte
// that is not UTF-8 in it as "?": nothing the router, the system or the user
// gave acts on the terminal. Every line goes out through here.
void PrintLine(std::ostream& out, std::string_view line);
// The object as one line of compact JSON on standard output. JSON escapes only
// the characters below 0x20; DEL and the 8-bit controls are replaced too.
void PrintJsonLine(const QJsonObject& object);

// Prints "no answer from the router at ADDRESS" on stderr; ExitNoRouter.
int NoRouterAnswer(const CommandLine& line);
// The downstream rate as a JSON number of kbit/s; null when the page gave
// none or not a whole number.
QJsonValue RateJson(const DslLineStatus& status);
