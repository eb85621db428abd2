// Any text on the add page: the URL test, the scheme strip and the file-name rules
// give a name of allowed characters only, of the asked length at most, never empty
// and never one of the names Windows keeps for devices.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "additems/UrlNames.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

bool Allowed(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           std::string_view("!#$%&'()-@^_`{}~").find(c) != std::string_view::npos;
}

std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool IsDevice(const std::string& name)
{
    const std::string upper = Upper(name);
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (upper == device)
            return true;
    return upper.size() == 4 && (upper.rfind("COM", 0) == 0 || upper.rfind("LPT", 0) == 0) && upper[3] >= '1' &&
           upper[3] <= '9';
}

} // namespace

// Layout: one byte of name limit (at least 8, room for a device name and its mark), then the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::size_t limit = std::max<std::size_t>(data[0], 8);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::string safe = MakeSafeFileName(text);
    Check(safe.size() == text.size());
    Check(std::all_of(safe.begin(), safe.end(), Allowed));

    const std::string stripped = StripUrlScheme(text);
    Check(stripped.size() <= text.size());
    if (!IsUrl(text))
        Check(stripped == text);

    const std::string trimmed = TrimUrlText(text);
    Check(trimmed.size() <= text.size());
    if (!trimmed.empty()) {
        Check(std::string_view(" \t\r\n").find(trimmed.front()) == std::string_view::npos);
        Check(std::string_view(" \t\r\n").find(trimmed.back()) == std::string_view::npos);
    }

    const std::string name = UrlShortcutName(text, limit);
    Check(!name.empty() && name.size() <= limit + 1);
    Check(!IsDevice(name));
    Check(std::string_view(EmptyUrlName).starts_with(name) || std::all_of(name.begin(), name.end(), Allowed));
    return 0;
}
