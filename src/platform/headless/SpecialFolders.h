#pragma once
#include <map>
#include <string>

#include "platform/SpecialFolders.h"

namespace platform::headless {

// Special folders as a test sets them; an id not set is one the shell cannot resolve.
class SpecialFolders : public ISpecialFolders {
public:
    std::string Path(int csidl) override
    {
        const auto path = Paths.find(csidl);
        return path == Paths.end() ? std::string() : path->second;
    }
    std::map<int, std::string> Paths;
};

} // namespace platform::headless
