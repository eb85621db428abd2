#include "LocaleContract.h"
#include "SimulatedPlatform.h"

namespace contract {

INSTANTIATE_TYPED_TEST_SUITE_P(UserLocale, LocaleContract, SimulatedPlatform, BackendNames);

} // namespace contract
