#pragma once
#include <gtest/gtest.h>

#include "platform/headless/Simulator.h"

// Each test runs on a fresh simulated platform.
class SimulatorTest : public ::testing::Test {
protected:
    SimulatorTest() : sim(platform::headless::InstallSimulator()) {}
    ~SimulatorTest() override { platform::Install(nullptr); }

    platform::headless::Simulator& sim;
};
