#include "TextRules.h"

#include <algorithm>

std::string ExtractSessionKey(std::string_view page)
{
    constexpr std::string_view marker = "sessionKey";
    const std::size_t at = page.find(marker);
    if (at == std::string_view::npos || at == 0)
        return {};
    std::string_view rest = page.substr(at + marker.size());
    const std::size_t open = rest.find('\'');
    rest = open == std::string_view::npos ? std::string_view{} : rest.substr(open + 1);
    return std::string(rest.substr(0, rest.find('\'')));
}

std::string TextBetween(std::string_view source, std::string_view startMarker,
                        std::string_view endMarker)
{
    const std::size_t start = source.find(startMarker);
    if (start == std::string_view::npos)
        return {};
    const std::string_view rest = source.substr(start + startMarker.size());
    const std::size_t end = rest.find(endMarker);
    if (end == std::string_view::npos)
        return {};
    return std::string(rest.substr(0, end));
}

std::optional<std::string> SessionCookieInLoginAnswer(std::string_view answer)
{
    constexpr std::string_view marker = "webuicookie=";
    const std::size_t at = answer.find("webuicookie");
    if (at == std::string_view::npos || at == 0)
        return std::nullopt;
    const std::string_view rest = answer.substr(std::min(answer.size(), at + marker.size()));
    return std::string(rest.substr(0, rest.find(';')));
}

// The name at the start of one entry: the text before its "}", if any.
static void AddEntryName(std::string_view entry, std::vector<std::string>& names)
{
    const std::size_t end = entry.find('}');
    if (end != std::string_view::npos && end > 0)
        names.emplace_back(entry.substr(0, end));
}

std::vector<std::string> ServiceNamesInList(std::string_view list)
{
    constexpr std::string_view separator = "|,|";
    std::vector<std::string> names;
    const std::size_t open = list.find('\'');
    if (open == std::string_view::npos)
        return names;
    std::string_view rest = list.substr(open + 1);
    for (;;)
    {
        const std::size_t next = rest.find(separator);
        AddEntryName(rest.substr(0, next), names);
        if (next == std::string_view::npos)
            return names;
        rest = rest.substr(next + separator.size());
    }
}

static bool NeedsEscape(unsigned char byte)
{
    constexpr std::string_view reserved = "%&+=?# ";
    return byte < 0x20 || byte >= 0x7F || reserved.find(char(byte)) != std::string_view::npos;
}

std::string EscapeQueryValue(std::string_view value)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(value.size());
    for (const char c : value)
    {
        const auto byte = static_cast<unsigned char>(c);
        if (NeedsEscape(byte))
        {
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 0x0F];
        }
        else
        {
            out += c;
        }
    }
    return out;
}

// The length of the well-formed UTF-8 character at text[at], 0 when none starts there.
static std::size_t Utf8Length(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) {
        return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0u;
    };
    const unsigned lead = byte(0);
    if (lead < 0x80)
        return 1;
    // The first continuation byte's range depends on the lead (no overlong
    // forms, no surrogates, nothing past U+10FFFF); the others are 80..BF.
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
    {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    }
    else if (lead >= 0xF0 && lead <= 0xF4)
    {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    else
        return 0;
    if (byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
    {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

std::string ControlsReplaced(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();)
    {
        const std::size_t length = Utf8Length(text, at);
        const auto lead = static_cast<unsigned char>(text[at]);
        const bool c0 = length == 1 && (lead < 0x20 || lead == 0x7F);
        const bool c1 = length == 2 && lead == 0xC2
                        && static_cast<unsigned char>(text[at + 1]) < 0xA0;
        if (length == 0 || c0 || c1)
        {
            out += '?';
            at += c1 ? 2 : 1;
        }
        else
        {
            out.append(text.substr(at, length));
            at += length;
        }
    }
    return out;
}

std::string CutAtCharacter(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return std::string(text);
    std::size_t cut = maxBytes;
    // Back to the first byte of the character the cut falls into (at most 3 back).
    for (int i = 0; i < 3 && cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80; ++i)
        --cut;
    return std::string(text.substr(0, cut));
}

bool HasLineBreakOrNul(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

std::optional<std::string> FillTemplate(std::string_view format,
                                        std::initializer_list<TemplateArg> args,
                                        std::size_t bufferSize)
{
    std::string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i)
    {
        const bool placeholder = format[i] == '%' && i + 1 < format.size()
                                 && (format[i + 1] == 's' || format[i + 1] == 'd');
        if (!placeholder)
        {
            out += format[i];
            continue;
        }
        if (next == args.end())
            return std::nullopt;
        out += next->Value;
        ++next;
        ++i;
    }
    if (next != args.end() || out.size() + 1 > bufferSize)
        return std::nullopt;
    return out;
}

std::optional<std::string> ApplyCookie(std::string_view password, std::string_view cookie)
{
    return FillTemplate("sessionid=c3d94e07; TBSPASSWORD=%s; webuicookie=%s", {password, cookie},
                        kCookieBuffer);
}

std::optional<std::string> AdminCookie(std::string_view password, std::string_view cookie)
{
    return FillTemplate("username=admin; password=%s; webuicookie=%s", {password, cookie},
                        kCookieBuffer);
}

std::optional<std::string> ApplyAdminCookie(std::string_view password, std::string_view cookie)
{
    return FillTemplate(
        "sessionid=c3d94e07; TBSPASSWORD=%s; webuicookie=%s;username=admin; password=%s",
        {password, cookie, password}, kCookieBuffer);
}

std::optional<std::string> WirelessCookie(std::string_view password, std::string_view cookie)
{
    return FillTemplate(
        "sessionid=c3d94e07; TBSPASSWORD=%s; webuicookie=%s; username=admin; password=%s",
        {password, cookie, password}, kCookieBuffer);
}

std::optional<std::string> SecurityCookie(std::string_view password, std::string_view cookie)
{
    return FillTemplate(
        "sessionid=c3d94e07; TBSPASSWORD=%s; username=admin; password=%s; webuicookie=%s;",
        {password, password, cookie}, kCookieBuffer);
}
