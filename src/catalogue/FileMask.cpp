#include "catalogue/FileMask.h"

#include <cctype>

namespace {
bool SameLetter(char a, char b)
{
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}
} // namespace

bool MatchesFileMask(const std::string& name, const std::string& pattern)
{
    if (pattern == "*.*" || pattern == "*")
        return true;
    // Greedy matching with one back-up point: the last "*" seen. Linear for the
    // patterns the system uses, never exponential.
    std::size_t n = 0, p = 0;
    std::size_t starAt = std::string::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || (pattern[p] != '*' && SameLetter(pattern[p], name[n])))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::string::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool IsShortcutName(const std::string& name)
{
    return MatchesFileMask(name, "*.LNK") || MatchesFileMask(name, "*.URL");
}
