#pragma once
#include <string>

namespace contract {

// Names each backend's instance of a contract suite after the backend ("Real", "Simulated").
struct BackendNames {
    template <class Backend>
    static std::string GetName(int)
    {
        return Backend::Name;
    }
};

} // namespace contract
