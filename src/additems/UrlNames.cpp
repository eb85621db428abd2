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
