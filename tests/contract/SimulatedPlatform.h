#pragma once
#include "platform/headless/Simulator.h"

namespace contract {

// A fresh simulator, installed for one test.
class SimulatedPlatform {
public:
    static constexpr const char* Name = "Simulated";
    SimulatedPlatform() : Sim(platform::headless::InstallSimulator()) {}
    ~SimulatedPlatform() { platform::Install(nullptr); }
    SimulatedPlatform(const SimulatedPlatform&) = delete;
    SimulatedPlatform& operator=(const SimulatedPlatform&) = delete;

    platform::headless::Simulator& Sim;
};

} // namespace contract
