#include "support/StoreTestBed.hpp"
#include "shell/DataFileLock.hpp"
#include "shell/LaunchSteps.hpp"
#include "shell/TerminationSignals.hpp"

#include <QCoreApplication>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

namespace vesk {
namespace {

TEST(LaunchStepsTest, AForcedSeedPlantsOnlyAMissingTreeAndMakesItCurrent) {
    test::StoreTestBed bed;
    Store& store = bed.open();
    LaunchSteps::forceSeed(store, 42, bed.clock, bed.random);
    LaunchSteps::forceSeed(store, 42, bed.clock, bed.random);
    ASSERT_EQ(store.bonsai.get().garden.size(), 1u);
    EXPECT_EQ(store.bonsai.get().garden[0].cubesGrown, 0);
    EXPECT_EQ(store.bonsai.get().seed, 42u);
    // 0 is "no current tree": no tree with it, and the current one stays.
    LaunchSteps::forceSeed(store, 0, bed.clock, bed.random);
    EXPECT_EQ(store.bonsai.get().garden.size(), 1u);
    EXPECT_EQ(store.bonsai.get().seed, 42u);
    EXPECT_EQ(bed.writes(), 0u);
}

TEST(DataFileLockTest, ASecondHolderIsRefusedUntilTheFirstLetsGo) {
    char folder[] = "/tmp/vesk-lock-XXXXXX";
    ASSERT_TRUE(::mkdtemp(folder));
    const std::filesystem::path data = std::filesystem::path(folder) / "Vesk" / "data.json";
    {
        auto first = DataFileLock::acquire(data);
        ASSERT_TRUE(first);
        EXPECT_TRUE(std::filesystem::exists(DataFileLock::lockPath(data)));
        EXPECT_FALSE(DataFileLock::acquire(data));
    }
    EXPECT_TRUE(DataFileLock::acquire(data));
    std::filesystem::remove_all(folder);
}

TEST(TerminationSignalsTest, EachSignalReachesTheEventLoopInsteadOfEndingTheProcess) {
    std::vector<int> received;
    {
        TerminationSignals watcher([&](int signal) { received.push_back(signal); });
        std::raise(SIGTERM);
        std::raise(SIGHUP);
        std::raise(SIGINT);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(received, (std::vector<int>{SIGTERM, SIGHUP, SIGINT}));
}

} // namespace
} // namespace vesk
