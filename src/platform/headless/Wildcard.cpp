#include "platform/headless/Wildcard.h"

#include "catalogue/FileMask.h"

namespace platform::headless {

bool MatchesWildcard(const std::string& name, const std::string& pattern)
{
    // The simulated file system has long names only: its rule is the scan's own.
    return MatchesFileMask(name, pattern);
}

} // namespace platform::headless
