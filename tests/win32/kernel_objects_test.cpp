#include "KernelObjectsContract.h"
#include "RealPlatform.h"
#include "SimulatedPlatform.h"

namespace contract {

// The Windows kernel objects and the simulator, held to the same assertions.
using KernelBackends = ::testing::Types<RealPlatform, SimulatedPlatform>;
INSTANTIATE_TYPED_TEST_SUITE_P(Kernel, KernelObjectsContract, KernelBackends, BackendNames);

} // namespace contract
