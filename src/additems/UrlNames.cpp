#include "additems/UrlNames.h"

#include <string_view>

#include "common/Text.h"

namespace {

constexpr std::string_view SchemeSeparator = "://";
constexpr std::string_view MailTo = "MAILTO:";

bool StartsWithMailTo(const std::string& text)
{
    return AsciiUpperCase(text.substr(0, MailTo.size())) == MailTo;
}

bool IsSafeFileNameChar(char c)
{
    const char upper = AsciiUpperCase(std::string(1, c))[0];
    if ((upper >= 'A' && upper <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    return std::string_view("!#$%&'()-@^_`{}~").find(c) != std::string_view::npos;
}

bool IsReservedDeviceName(const std::string& name)
{
    const std::string upper = AsciiUpperCase(name);
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (upper == device)
            return true;
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
           upper[3] <= '9';
}

} // namespace

bool IsUrl(const std::string& text)
{
    return text.find(SchemeSeparator) != std::string::npos || StartsWithMailTo(text);
}

std::string StripUrlScheme(const std::string& text)
{
    if (StartsWithMailTo(text))
        return text.substr(MailTo.size());
    const std::size_t separator = text.find(SchemeSeparator);
    if (separator == std::string::npos)
        return text;
    return text.substr(separator + SchemeSeparator.size());
}

std::string MakeSafeFileName(const std::string& text)
{
    std::string safe = text;
    for (char& c : safe)
        if (!IsSafeFileNameChar(c))
            c = '_';
    return safe;
}

std::string TrimUrlText(const std::string& text)
{
    constexpr std::string_view around = " \t\r\n";
    const std::size_t first = text.find_first_not_of(around);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(around) - first + 1);
}

std::string UrlShortcutName(const std::string& url, std::size_t maxLength)
{
    // The safe name keeps no dot, blank or other sign that Windows would drop from
    // the end of a name, and no byte above 127, so a byte cut is a character cut.
    std::string name = MakeSafeFileName(StripUrlScheme(url));
    if (name.empty())
        name = EmptyUrlName;
    if (name.size() > maxLength)
        name.resize(maxLength);
    // With any extension these names are devices, not files.
    if (IsReservedDeviceName(name))
        name += '_';
    return name;
}
