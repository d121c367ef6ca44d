#include "core/runtime/Observations.hpp"

#include <gtest/gtest.h>
#include <memory>

namespace vesk {
namespace {

TEST(ObservationsTest, CallsBackOnRealChangesUntilDestroyed) {
    Observed<int> count(0);
    int calls = 0;
    {
        Observations watching;
        watching.watch(count, [&] { ++calls; });
        count.set(1);
        count.set(1);
        EXPECT_EQ(calls, 1);
    }
    count.set(2);
    EXPECT_EQ(calls, 1);
}

TEST(ObservationsTest, AViewDestroyedByAnEarlierObserverIsNotCalledBack) {
    Observed<bool> expanded(false);
    auto view = std::make_unique<Observations>();
    bool closerRan = false;
    bool staleCalled = false;
    Observations closer;
    closer.watch(expanded, [&] {
        closerRan = true;
        view.reset(); // the panel tears the old content down while the change is told
    });
    view->watch(expanded, [&] { staleCalled = true; });
    expanded.set(true);
    EXPECT_TRUE(closerRan);
    EXPECT_FALSE(staleCalled);
}

} // namespace
} // namespace vesk
