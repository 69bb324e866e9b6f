// libFuzzer target for the router link's text rules (built by tools/fuzz.sh):
// what is cut out of router pages, how values are escaped and formatted into
// their buffers, and the check that an apply run can carry the user's values.
// The sanitizers catch bad reads; the checks below abort on a broken rule.
//
// The input is split at its NUL bytes into parts: a router page, then values
// for the settings and markers, in a fixed order (missing parts are empty).

#include "ApplyPreflight.h"
#include "RouterStatus.h"
#include "RouterUrls.h"
#include "TextRules.h"
#include "WizardSettings.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Require(bool holds)
{
    if (!holds)
        std::abort();
}

std::vector<std::string> Parts(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < size; ++i)
    {
        if (data[i] == 0)
            parts.emplace_back();
        else
            parts.back() += char(data[i]);
    }
    parts.resize(std::max<std::size_t>(parts.size(), 16));
    return parts;
}

bool IsHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// Only visible ASCII, no raw & = ? # + or blank, and every % starts a %XX.
void RequireEscaped(std::string_view escaped)
{
    for (std::size_t i = 0; i < escaped.size(); ++i)
    {
        const char c = escaped[i];
        Require(c > 0x20 && c < 0x7F);
        Require(std::string_view("&=?#+").find(c) == std::string_view::npos);
        if (c == '%')
            Require(i + 2 < escaped.size() && IsHex(escaped[i + 1]) && IsHex(escaped[i + 2]));
    }
}

// A request text is never formed past its buffer. (One that holds CR, LF or
// NUL, from a cookie or host the router or caller gave, is refused by the
// transport before sending.)
void RequireFits(const std::optional<std::string>& text, std::size_t buffer)
{
    if (text)
        Require(text->size() + 1 <= buffer);
}

void RequireNoControls(std::string_view text)
{
    for (const char c : text)
    {
        const auto byte = static_cast<unsigned char>(c);
        Require(byte >= 0x20 && byte != 0x7F);
    }
    // Nothing left to replace: the result is stable.
    Require(ControlsReplaced(text) == text);
}

void PageRules(const std::string& page, const std::string& start, const std::string& end)
{
    const std::string key = ExtractSessionKey(page);
    Require(key.size() <= page.size() && key.find('\'') == std::string::npos);
    const std::string between = TextBetween(page, start, end);
    Require(between.size() <= page.size()
            && (end.empty() || between.find(end) == std::string::npos));
    Require(between.empty() || page.find(start) != std::string::npos);

    for (const std::string& name : ServiceNamesInList(page))
    {
        // Never an empty rmLst: a removal without a name would be sent as one.
        Require(!name.empty() && name.find('}') == std::string::npos);
        const std::optional<std::string> url = RemoveServiceUrl("192.168.1.1", name, key);
        RequireFits(url, kShortUrlBuffer);
        if (url)
            Require(url->find("rmLst=&") == std::string::npos && !HasLineBreakOrNul(*url));
    }
    if (const std::optional<std::string> cookie = SessionCookieInLoginAnswer(page))
    {
        Require(cookie->find(';') == std::string::npos && cookie->size() <= page.size());
        RequireFits(ApplyCookie("vabel", *cookie), kCookieBuffer);
    }
    Require(DownstreamRateCell(page).size() <= page.size());

    const std::string shown = ControlsReplaced(page);
    RequireNoControls(shown);
    const std::string cut = CutAtCharacter(page, 32);
    Require(cut.size() <= 32 && page.compare(0, cut.size(), cut) == 0);
    Require(cut.size() + 3 >= std::min<std::size_t>(page.size(), 32));
}

WizardSettings SettingsFrom(const std::vector<std::string>& p)
{
    WizardSettings s;
    const auto number = [](const std::string& text) {
        return text.empty() ? 0 : static_cast<int>(static_cast<signed char>(text[0]));
    };
    s.ProtocolIndex = number(p[1]) & 7;
    s.MerDynamicIp = number(p[1]) >> 3 & 1;
    s.EncapsulationIndex = number(p[2]);
    s.AtmVpi = number(p[3]);
    s.AtmVci = number(p[4]);
    s.PppUserName = p[5];
    s.PppPassword = p[6];
    s.StaticIpAddress = p[7];
    s.Ssid = p[8];
    s.WirelessKey = p[9];
    s.WirelessSecurityIndex = number(p[10]) & 3;
    s.RouterPassword = p[11];
    s.NewRouterPassword = p[12];
    s.PasswordChangeRequested = !p[12].empty();
    return s;
}

// Once the pre-flight passes, every request of the run fits and is whole,
// whatever tokens of up to kRouterTokenRoom bytes the router hands out.
void RequestRules(const WizardSettings& s, const std::string& host, const std::string& token)
{
    RequireEscaped(EscapeQueryValue(s.PppUserName));
    RequireEscaped(EscapeQueryValue(s.Ssid));
    const CarryCheck check = CheckApplyCarriable(s, host);
    // Keys and cookies as routers hand them out: letters and digits.
    std::string key = token.substr(0, kRouterTokenRoom);
    std::erase_if(key, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
    const auto each = [&](const std::optional<std::string>& text, std::size_t buffer) {
        RequireFits(text, buffer);
        if (check.Carried())
            Require(text.has_value() && !HasLineBreakOrNul(*text));
    };
    each(LoginBody("admin", s.RouterPassword), kLoginBodyBuffer);
    each(PageUrl(host, "setup_wancfg.html"), kShortUrlBuffer);
    each(WanSummaryUrl(WanVariantFor(s), s, host, key), kLongUrlBuffer);
    each(WirelessBasicUrl(s, host, key), kLongUrlBuffer);
    each(WirelessSecurityUrl(host, s.WirelessKey, s.WirelessSecurityIndex, key), kLongUrlBuffer);
    // Cookies carry the password raw: the pre-flight must have kept ";" out.
    const std::optional<std::string> cookie = WirelessCookie(s.RouterPassword, key);
    each(cookie, kCookieBuffer);
    if (check.Carried())
        Require(s.RouterPassword.find(';') == std::string::npos);
    if (s.PasswordChangeRequested)
        each(PasswordChangeUrl(s, host, key), kShortUrlBuffer);
    if (!check.Carried())
        Require(!CarryMessage(check).empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> parts = Parts(data, size);
    PageRules(parts[0], parts[13], parts[14]);
    // The host comes from a checked option: a name, an address, a port.
    std::string host = parts[15].empty() ? "192.168.1.1" : parts[15];
    std::erase_if(host, [](char c) { return c == '\r' || c == '\n'; });
    RequestRules(SettingsFrom(parts), host, parts[13]);
    return 0;
}
