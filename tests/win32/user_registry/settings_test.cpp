#include "SettingsKeyTest.h"
#include "SimulatedSettingsKey.h"

namespace contract {

// The real key and the simulator, held to the same assertions.
using SettingsBackends = ::testing::Types<RealSettingsKey, SimulatedSettingsKey>;
INSTANTIATE_TYPED_TEST_SUITE_P(UserKey, SettingsContract, SettingsBackends, BackendNames);

} // namespace contract
