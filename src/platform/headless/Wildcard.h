#pragma once
#include <string>

namespace platform::headless {

// Windows wildcard matching of a file name: "*" any run of characters (none
// included), "?" one character, ASCII letters in any case; "*.*" matches every name.
bool MatchesWildcard(const std::string& name, const std::string& pattern);

} // namespace platform::headless
