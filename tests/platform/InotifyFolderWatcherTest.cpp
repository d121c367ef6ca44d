#include "platform/InotifyFolderWatcher.hpp"

#include "PlatformTestSupport.hpp"
#include "platform/PosixFileSystem.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using test::runEventsUntil;
using test::TempFolder;

TEST(InotifyFolderWatcherTest, ReportsWritesReplacementsAndDeletionsInTheFolder) {
    test::qtApplication();
    TempFolder folder;
    PosixFileSystem files;
    InotifyFolderWatcher watcher;
    int changes = 0;
    ASSERT_TRUE(watcher.watch(folder.path(), [&] { ++changes; }));

    const auto file = folder / "data.json";
    ASSERT_TRUE(files.writeAtomically(file, "{}"));
    ASSERT_TRUE(runEventsUntil([&] { return changes > 0; }));

    // An atomic replacement of a file that already exists is still seen.
    changes = 0;
    ASSERT_TRUE(files.writeAtomically(file, "{\"a\":1}"));
    ASSERT_TRUE(runEventsUntil([&] { return changes > 0; }));

    changes = 0;
    std::filesystem::remove(file);
    ASSERT_TRUE(runEventsUntil([&] { return changes > 0; }));

    // After stop() nothing more arrives.
    watcher.stop();
    changes = 0;
    ASSERT_TRUE(files.writeAtomically(file, "{}"));
    bool settled = false;
    QTimer::singleShot(100, [&] { settled = true; });
    ASSERT_TRUE(runEventsUntil([&] { return settled; }));
    EXPECT_EQ(changes, 0);
}

TEST(InotifyFolderWatcherTest, WaitingForAChangeTakesItFromTheListener) {
    test::qtApplication();
    TempFolder folder;
    PosixFileSystem files;
    InotifyFolderWatcher watcher;
    EXPECT_FALSE(watcher.waitForChange(0.01)); // no watch: just waits
    int changes = 0;
    ASSERT_TRUE(watcher.watch(folder.path(), [&] { ++changes; }));
    EXPECT_FALSE(watcher.waitForChange(0.01));
    ASSERT_TRUE(files.writeAtomically(folder / "data.json", "{}"));
    EXPECT_TRUE(watcher.waitForChange(5));
    bool settled = false;
    QTimer::singleShot(50, [&] { settled = true; });
    ASSERT_TRUE(runEventsUntil([&] { return settled; }));
    EXPECT_EQ(changes, 0);
}

TEST(InotifyFolderWatcherTest, ListenerMayStopTheWatcher) {
    test::qtApplication();
    TempFolder folder;
    PosixFileSystem files;
    InotifyFolderWatcher watcher;
    int changes = 0;
    ASSERT_TRUE(watcher.watch(folder.path(), [&] {
        ++changes;
        watcher.stop();
    }));
    ASSERT_TRUE(files.writeAtomically(folder / "data.json", "{}"));
    ASSERT_TRUE(runEventsUntil([&] { return changes > 0; }));
    ASSERT_TRUE(files.writeAtomically(folder / "data.json", "[]"));
    bool settled = false;
    QTimer::singleShot(100, [&] { settled = true; });
    ASSERT_TRUE(runEventsUntil([&] { return settled; }));
    EXPECT_EQ(changes, 1);
}

TEST(InotifyFolderWatcherTest, FollowsTheFolderRenamedThenMadeAgainLater) {
    test::qtApplication();
    TempFolder folder;
    const auto watched = folder / "data";
    std::filesystem::create_directory(watched);
    PosixFileSystem files;
    InotifyFolderWatcher watcher;
    int changes = 0;
    ASSERT_TRUE(watcher.watch(watched, [&] { ++changes; }));
    std::filesystem::rename(watched, folder / "data.old");
    ASSERT_TRUE(runEventsUntil([&] { return changes > 0; }));
    // Made again only after the watcher found nothing there.
    bool missed = false;
    QTimer::singleShot(300, [&] { missed = true; });
    ASSERT_TRUE(runEventsUntil([&] { return missed; }));
    changes = 0;
    std::filesystem::create_directory(watched);
    ASSERT_TRUE(runEventsUntil([&] { return changes > 0; }));
    changes = 0;
    ASSERT_TRUE(files.writeAtomically(watched / "data.json", "{}"));
    EXPECT_TRUE(runEventsUntil([&] { return changes > 0; }));
}

TEST(InotifyFolderWatcherTest, FailsOnAFolderThatCannotBeWatched) {
    test::qtApplication();
    TempFolder folder;
    InotifyFolderWatcher watcher;
    EXPECT_FALSE(watcher.watch(folder / "missing", [] {}));
    PosixFileSystem files;
    ASSERT_TRUE(files.writeAtomically(folder / "plain", "x"));
    EXPECT_FALSE(watcher.watch(folder / "plain", [] {}));
}

} // namespace
} // namespace vesk
