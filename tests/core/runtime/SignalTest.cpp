#include "core/runtime/Signal.hpp"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace vesk {
namespace {

TEST(SignalTest, ListenersHearEverySendUntilTheirConnectionGoesEvenMidSend) {
    Signal<int> sent;
    std::vector<int> heard;
    auto second = std::make_unique<Signal<int>::Connection>();
    Signal<int>::Connection first = sent.connect([&](int value) {
        heard.push_back(value);
        second.reset(); // the other listener's owner goes while the event is told
    });
    *second = sent.connect([&](int value) { heard.push_back(-value); });
    sent.send(1);
    sent.send(2);
    EXPECT_EQ(heard, (std::vector<int>{1, 2}));

    first = Signal<int>::Connection();
    sent.send(3);
    EXPECT_EQ(heard.size(), 2u);
}

TEST(SignalTest, AConnectionMayOutliveItsSignal) {
    auto signal = std::make_unique<Signal<>>();
    int heard = 0;
    Signal<>::Connection connection = signal->connect([&] { ++heard; });
    signal->send();
    signal.reset();
    connection.disconnect();
    EXPECT_EQ(heard, 1);
}

} // namespace
} // namespace vesk
