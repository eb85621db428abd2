#include "RealRegistry.h"
#include "SimulatedRegistry.h"

namespace contract {

// The real registry and the simulator, held to the same assertions.
using RegistryBackends = ::testing::Types<RealRegistry, SimulatedRegistry>;
INSTANTIATE_TYPED_TEST_SUITE_P(UserKey, RegistryContract, RegistryBackends, BackendNames);

} // namespace contract
