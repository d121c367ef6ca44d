#include "render/engine/SerialWorker.hpp"

#include "render/engine/LatestRequest.hpp"

#include <future>
#include <gtest/gtest.h>
#include <vector>

namespace vesk {
namespace {

TEST(SerialWorkerTest, TenRequestsAgainstABlockedWorkerBuildOnlyTheNewest) {
    LatestRequest latest;
    std::promise<void> release;
    std::shared_future<void> gate = release.get_future().share();
    std::vector<int> built;
    {
        SerialWorker worker;
        worker.post([gate] { gate.wait(); });
        for (int i = 0; i < 10; ++i) {
            const auto generation = latest.next();
            worker.post([&, generation, i] {
                if (latest.isCurrent(generation)) built.push_back(i);
            });
        }
        release.set_value();
    } // joining runs every queued job
    EXPECT_EQ(built, std::vector<int>{9});
}

TEST(SerialWorkerTest, ARequestOvertakenMidBuildIsNoLongerCurrent) {
    LatestRequest latest;
    const auto first = latest.next();
    EXPECT_TRUE(latest.isCurrent(first));
    const auto second = latest.next();
    EXPECT_FALSE(latest.isCurrent(first));
    EXPECT_TRUE(latest.isCurrent(second));
}

TEST(SerialWorkerTest, JobsRunInPostedOrder) {
    std::vector<int> order;
    {
        SerialWorker worker;
        for (int i = 0; i < 5; ++i)
            worker.post([&order, i] { order.push_back(i); });
    }
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
}

} // namespace
} // namespace vesk
