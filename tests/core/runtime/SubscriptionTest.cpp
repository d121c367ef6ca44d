#include "core/runtime/Subscription.hpp"

#include "core/runtime/MainQueue.hpp"
#include "support/FakeMainQueue.hpp"

#include <gtest/gtest.h>
#include <optional>
#include <utility>

namespace vesk {
namespace {

TEST(SubscriptionTest, EndsOnceWithItsLastHolder) {
    int firstEnded = 0;
    int secondEnded = 0;
    std::optional<Subscription> moved;
    {
        Subscription first([&] { ++firstEnded; });
        moved.emplace(std::move(first));
    }
    EXPECT_EQ(firstEnded, 0); // the moved-from holder ends nothing

    Subscription second([&] { ++secondEnded; });
    second = std::move(*moved); // what `second` held ends, and it takes over the first
    EXPECT_EQ(secondEnded, 1);
    EXPECT_EQ(firstEnded, 0);
    second.reset();
    second.reset();
    EXPECT_FALSE(second);
    EXPECT_EQ(firstEnded, 1);
    EXPECT_EQ(secondEnded, 1);
}

TEST(SubscriptionTest, ADebouncedSlotEmptiesWhenItRunsAndCancelsWhenDropped) {
    test::VirtualClock clock;
    test::FakeMainQueue queue(clock);
    int runs = 0;
    {
        Subscription slot;
        queue.debounce(slot, 1, [&] { ++runs; });
        queue.debounce(slot, 2, [&] { runs += 10; });
        EXPECT_EQ(queue.pendingCount(), 1u);
        queue.advance(2);
        EXPECT_EQ(runs, 10);
        EXPECT_FALSE(slot); // so that the owner knows to schedule again

        queue.debounce(slot, 1, [&] { ++runs; });
    }
    EXPECT_EQ(queue.pendingCount(), 0u);
    queue.advance(5);
    EXPECT_EQ(runs, 10);
}

} // namespace
} // namespace vesk
