#include "LocaleContract.h"
#include "RealPlatform.h"
#include "SimulatedPlatform.h"

namespace contract {

// CompareStringA and the simulator, held to the same assertions.
using LocaleBackends = ::testing::Types<RealPlatform, SimulatedPlatform>;
INSTANTIATE_TYPED_TEST_SUITE_P(UserLocale, LocaleContract, LocaleBackends, BackendNames);

} // namespace contract
