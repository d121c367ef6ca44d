#include "support/QtTestEnvironment.hpp"

namespace {

// gtest owns registered environments.
const auto* const environment = ::testing::AddGlobalTestEnvironment(new vesk::test::QtTestEnvironment);

} // namespace
