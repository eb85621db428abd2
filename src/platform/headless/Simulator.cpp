#include "platform/headless/Simulator.h"

namespace platform::headless {

Simulator& InstallSimulator()
{
    auto simulator = std::make_unique<Simulator>();
    Simulator& installed = *simulator;
    platform::Install(std::move(simulator));
    return installed;
}

} // namespace platform::headless
