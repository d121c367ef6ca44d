#include "core/runtime/SerialWorker.hpp"

#include <future>
#include <gtest/gtest.h>
#include <vector>

namespace vesk {
namespace {

TEST(SerialWorkerTest, JobsRunInPostedOrder) {
    std::vector<int> order;
    {
        SerialWorker worker("vesk.test");
        for (int i = 0; i < 5; ++i)
            worker.post([&order, i] { order.push_back(i); });
    }
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(SerialWorkerTest, DiscardingForgetsTheJobsNotStartedAndLetsTheRunningOneFinish) {
    std::vector<int> ran;
    std::promise<void> started, go;
    {
        SerialWorker worker("vesk.test");
        worker.post([&] {
            started.set_value();
            go.get_future().wait();
            ran.push_back(0);
        });
        for (int i = 1; i < 4; ++i)
            worker.post([&ran, i] { ran.push_back(i); });
        started.get_future().wait();
        worker.discardPending();
        worker.post([&ran] { ran.push_back(9); });
        go.set_value();
    }
    EXPECT_EQ(ran, (std::vector<int>{0, 9}));
}

} // namespace
} // namespace vesk
