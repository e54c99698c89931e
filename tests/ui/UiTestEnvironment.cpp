#include "UiTestSupport.h"

namespace {
[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new brindlemar::test::UiEnvironment);
}  // namespace
