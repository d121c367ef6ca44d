#include "platform/QtMainQueue.hpp"

#include "PlatformTestSupport.hpp"

#include <gtest/gtest.h>
#include <vector>

namespace vesk {
namespace {

using test::runEventsUntil;

TEST(QtMainQueueTest, DelayedItemsRunOnceInTimeOrder) {
    test::qtApplication();
    QtMainQueue queue;
    std::vector<int> order;
    queue.after(0.06, [&] { order.push_back(2); });
    queue.after(0.01, [&] { order.push_back(1); });
    ASSERT_TRUE(runEventsUntil([&] { return order.size() == 2; }));
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    // Nothing runs a second time.
    bool later = false;
    queue.after(0.1, [&] { later = true; });
    ASSERT_TRUE(runEventsUntil([&] { return later; }));
    EXPECT_EQ(order.size(), 2u);
}

TEST(QtMainQueueTest, CancelledAndSelfCancellingItemsStop) {
    test::qtApplication();
    QtMainQueue queue;
    bool cancelledRan = false;
    Subscription cancelled = queue.schedule(0.01, [&] { cancelledRan = true; });
    EXPECT_TRUE(cancelled);
    cancelled.reset();
    cancelled.reset(); // twice is harmless

    int ticks = 0;
    Subscription repeating;
    repeating = queue.repeating(0.01, [&] {
        if (++ticks == 3) repeating.reset();
    });
    bool done = false;
    queue.after(0.2, [&] { done = true; });
    ASSERT_TRUE(runEventsUntil([&] { return done; }));
    EXPECT_FALSE(cancelledRan);
    EXPECT_EQ(ticks, 3);
}

TEST(QtMainQueueTest, ItemsScheduledFromItemsRun) {
    test::qtApplication();
    QtMainQueue queue;
    bool inner = false;
    queue.after(0, [&] { queue.after(0, [&] { inner = true; }); });
    EXPECT_TRUE(runEventsUntil([&] { return inner; }));
}

} // namespace
} // namespace vesk
