#include "TextRules.h"

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
    for (;;) {
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
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (NeedsEscape(byte)) {
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
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
    for (std::size_t i = 0; i < format.size(); ++i) {
        const bool placeholder = format[i] == '%' && i + 1 < format.size()
                                 && (format[i + 1] == 's' || format[i + 1] == 'd');
        if (!placeholder) {
            out += format[i];
            continue;
        }
        if (next == args.end())
            return std::nullopt;
        out += next->value;
        ++next;
        ++i;
    }
    if (next != args.end() || out.size() + 1 > bufferSize)
        return std::nullopt;
    return out;
}

std::optional<std::string> ApplyCookie(std::string_view password, std::string_view cookie)
{
    return FillTemplate("sessionid=c3d94e07; TBSPASSWORD=%s; webuicookie=%s",
                        {password, cookie}, kCookieBuffer);
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
