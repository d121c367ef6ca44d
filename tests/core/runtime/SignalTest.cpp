#include "core/runtime/Signal.hpp"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace vesk {
namespace {

struct Sender {
    Signal<Sender, int> sent;
    void send(int value) { sent.send(value); }
};

TEST(SignalTest, ListenersHearEverySendUntilTheirConnectionGoesEvenMidSend) {
    Sender sender;
    std::vector<int> heard;
    Signal<Sender, int>::Connection second;
    auto first = sender.sent.connect([&](int value) {
        heard.push_back(value);
        second.reset(); // the other listener's owner goes while the event is told
    });
    second = sender.sent.connect([&](int value) { heard.push_back(-value); });
    sender.send(1);
    sender.send(2);
    EXPECT_EQ(heard, (std::vector<int>{1, 2}));

    first.reset();
    sender.send(3);
    EXPECT_EQ(heard.size(), 2u);
}

TEST(SignalTest, AConnectionMayOutliveItsSignal) {
    auto sender = std::make_unique<Sender>();
    int heard = 0;
    auto connection = sender->sent.connect([&](int) { ++heard; });
    sender->send(1);
    sender.reset();
    connection.reset();
    EXPECT_EQ(heard, 1);
}

} // namespace
} // namespace vesk
