#include "PlatformTestSupport.hpp"
#include "platform/DataFileLock.hpp"
#include "platform/QuitDeadline.hpp"
#include "platform/TerminationSignals.hpp"

#include <QCoreApplication>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vesk {
namespace {

using Status = DataFileLock::Status;

TEST(DataFileLockTest, ASecondHolderIsRefusedUntilTheFirstLetsGo) {
    test::TempFolder folder;
    const auto data = folder / "Vesk" / "data.json";
    {
        auto first = DataFileLock::acquire(data);
        ASSERT_TRUE(first.ok());
        EXPECT_TRUE(std::filesystem::exists(DataFileLock::lockPath(data)));
        EXPECT_EQ(DataFileLock::acquire(data).failure().status, Status::heldElsewhere);
    }
    EXPECT_TRUE(DataFileLock::acquire(data).ok());
}

TEST(DataFileLockTest, ALinkAndItsTargetShareOneLock) {
    test::TempFolder folder;
    const auto data = folder / "data.json";
    std::filesystem::create_symlink(data, folder / "link.json");
    const auto first = DataFileLock::acquire(folder / "link.json");
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(DataFileLock::acquire(data).failure().status, Status::heldElsewhere);
}

TEST(DataFileLockTest, ALockFileThatCannotBeUsedRefusesWithTheReason) {
    test::TempFolder folder;
    const auto data = folder / "data.json";
    // Planted as a link: the lock is never taken on the file it points at.
    std::filesystem::create_symlink(folder / "elsewhere", DataFileLock::lockPath(data));
    const auto linked = DataFileLock::acquire(data);
    EXPECT_EQ(linked.failure().status, Status::failed);
    EXPECT_EQ(linked.reason(), "Too many levels of symbolic links");
    EXPECT_FALSE(std::filesystem::exists(folder / "elsewhere"));
    std::filesystem::remove(DataFileLock::lockPath(data));

    if (::geteuid() != 0) return;
    // What a `sudo vesk` leaves, met by the user: unreadable, it refuses; readable, it locks.
    std::filesystem::permissions(folder.path(), std::filesystem::perms(0777));
    const int lockFile = ::open(DataFileLock::lockPath(data).c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(lockFile, 0);
    ::close(lockFile);
    constexpr int held = 0;
    constexpr int refused = 1;
    for (const auto& [mode, expected] : {std::pair{0600, refused}, std::pair{0644, held}}) {
        ::chmod(DataFileLock::lockPath(data).c_str(), mode);
        const pid_t child = ::fork();
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(100);
            const auto attempt = DataFileLock::acquire(data);
            if (attempt.ok()) ::_exit(held);
            const bool said =
                attempt.failure().status == Status::failed && attempt.reason() == "Permission denied";
            ::_exit(said ? refused : 101);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_EQ(WEXITSTATUS(status), expected) << std::oct << mode;
    }
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

TEST(QuitDeadlineTest, AProcessStuckAfterItsSaveEndsWithItsStatus) {
    const auto endOf = [](bool stuck, int learntLater = 0) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::alarm(30); // only a broken deadline gets this far
            QuitDeadline::arm(0.2, 3);
            QuitDeadline::atLeast(learntLater);
            if (stuck) ::pause();
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(endOf(true), 3);
    EXPECT_EQ(endOf(true, 4), 4) << "a status learnt after the save, the worse";
    EXPECT_EQ(endOf(false), 0) << "a process that ends by itself ends as it does";
}

} // namespace
} // namespace vesk
