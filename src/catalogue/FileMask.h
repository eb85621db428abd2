#pragma once
#include <string>

// Windows' wildcard rule for a file's long name: "*" any run of characters (none
// included), "?" one character, ASCII letters in any case; "*.*" matches every name.
// The scan holds every name it is given to this rule, whatever else the platform matched
// (Windows also matches a mask against the 8.3 short name: "*.lnk" finds Report.lnkx).
bool MatchesFileMask(const std::string& name, const std::string& pattern);

// A name the catalogue takes: a .LNK or .URL file, in any letter case.
bool IsShortcutName(const std::string& name);
