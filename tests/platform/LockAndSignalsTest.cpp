#include "PlatformTestSupport.hpp"
#include "platform/DataFileLock.hpp"
#include "platform/TerminationSignals.hpp"

#include <QCoreApplication>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace vesk {
namespace {

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
    test::qtApplication();
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
