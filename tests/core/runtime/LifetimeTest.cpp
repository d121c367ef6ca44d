#include "core/runtime/Lifetime.hpp"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace vesk {
namespace {

TEST(LifetimeTest, GuardedCallbacksRunOnlyWhileTheirLifetimeLasts) {
    int calls = 0;
    auto owner = std::make_unique<Lifetime>();
    const std::function<void(int)> early = owner->guard([&calls](int n) { calls += n; });
    early(1);
    EXPECT_EQ(calls, 1);

    owner->reset();
    const std::function<void(int)> late = owner->guard([&calls](int n) { calls += n; });
    const Lifetime::Token token = owner->token();
    early(10);
    late(100);
    EXPECT_EQ(calls, 101);

    owner.reset();
    late(1000);
    EXPECT_EQ(calls, 101);
    EXPECT_FALSE(token.alive());
}

} // namespace
} // namespace vesk
