#include "platform/headless/Simulator.h"

#include "platform/headless/CaseInsensitive.h"

namespace platform::headless {

int Locale::CompareText(const std::string& a, const std::string& b)
{
    const int result = FoldCase(a).compare(FoldCase(b));
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

Simulator& InstallSimulator()
{
    auto simulator = std::make_unique<Simulator>();
    Simulator& installed = *simulator;
    platform::Install(std::move(simulator));
    return installed;
}

} // namespace platform::headless
