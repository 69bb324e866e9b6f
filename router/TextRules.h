#pragma once
// Text rules of the router link: how keys and values are cut out of router
// pages, how values are escaped for a query, how requests are formatted into
// their fixed-size buffers, and the literal cookie values the router expects.

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Buffer sizes (each includes the terminating NUL the router firmware counts).
inline constexpr std::size_t kShortUrlBuffer = 512;
inline constexpr std::size_t kLongUrlBuffer = 1024;
inline constexpr std::size_t kCookieBuffer = 512;
inline constexpr std::size_t kLoginBodyBuffer = 1024;
inline constexpr std::size_t kSsidBuffer = 256;

// Returns the session key written in a router page: after the first
// "sessionKey" (which must not start the page), from just after the next
// apostrophe up to the following apostrophe (or to the end when there is none).
// Returns an empty text when the marker is missing or at position 0.
std::string ExtractSessionKey(std::string_view page);

// Returns the text between the first startMarker (position 0 counts) and the
// first endMarker after it. Empty when either marker is missing.
std::string TextBetween(std::string_view source, std::string_view startMarker,
                        std::string_view endMarker);

// The session cookie a login answer (headers first) hands out: the text
// after the first "webuicookie" and one more character (its "="), up to the
// next ";" or the end. Nothing when "webuicookie" is missing or starts the
// answer; an empty text when its value is empty.
std::optional<std::string> SessionCookieInLoginAnswer(std::string_view answer);

// Returns the service names of the WAN service list text of setup_wancfg.html,
// in order: the first entry's name runs from the first apostrophe to the next
// "}", each later entry's from just after its "|,|" to the next "}" before the
// following "|,|". Entries without a name are left out.
std::vector<std::string> ServiceNamesInList(std::string_view list);

// Returns value escaped for a URL query or a form body: % & + = ? # and blank,
// bytes 0x00-0x1F, 0x7F and 0x80-0xFF become %XX (upper-case hex); every other
// byte is copied. Never fails.
std::string EscapeQueryValue(std::string_view value);

// Returns text with every control character (below 0x20, 0x7F, and U+0080 to
// U+009F) and every byte that is not part of well-formed UTF-8 replaced by
// "?", so that router text can be shown, printed to a terminal or written to
// a file without acting on it.
std::string ControlsReplaced(std::string_view text);

// Returns text cut to at most maxBytes bytes, without splitting a UTF-8
// character at the cut.
std::string CutAtCharacter(std::string_view text, std::size_t maxBytes);

// True when text holds CR, LF or NUL; such a text is never sent.
bool HasLineBreakOrNul(std::string_view text);

// One value filling a %s or %d placeholder of FillTemplate.
struct TemplateArg
{
    TemplateArg(std::string_view text) : Value(text) {}
    TemplateArg(const std::string& text) : Value(text) {}
    TemplateArg(const char* text) : Value(text) {}
    TemplateArg(int number) : Value(std::to_string(number)) {}

    std::string Value;
};

// Returns format with each %s / %d replaced by the next argument, left to
// right. Returns nothing when the result plus its NUL would not fit in
// bufferSize bytes or the argument count does not match the placeholders, so
// a request is never sent cut.
std::optional<std::string> FillTemplate(std::string_view format,
                                        std::initializer_list<TemplateArg> args,
                                        std::size_t bufferSize);

// The literal cookie values. Each returns nothing when the filled value would
// not fit its 512-byte buffer. password is the link's password, cookie the
// stored session cookie.
inline constexpr char kLoginCookie[] = "Name=";
std::optional<std::string> ApplyCookie(std::string_view password, std::string_view cookie);
std::optional<std::string> AdminCookie(std::string_view password, std::string_view cookie);
std::optional<std::string> ApplyAdminCookie(std::string_view password, std::string_view cookie);
std::optional<std::string> WirelessCookie(std::string_view password, std::string_view cookie);
std::optional<std::string> SecurityCookie(std::string_view password, std::string_view cookie);
