#include "SimulatedRegistry.h"

namespace contract {

INSTANTIATE_TYPED_TEST_SUITE_P(UserKey, RegistryContract, SimulatedRegistry, BackendNames);

} // namespace contract
