#include "render/engine/SerialWorker.hpp"

#include <gtest/gtest.h>
#include <vector>

namespace vesk {
namespace {

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
