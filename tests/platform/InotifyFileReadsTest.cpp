#include "platform/InotifyFileReads.hpp"

#include "PlatformTestSupport.hpp"
#include "platform/PosixFileSystem.hpp"

#include <cstdlib>
#include <gtest/gtest.h>

namespace vesk {
namespace {

using test::runEventsUntil;
using test::TempFolder;

// Events for 100 ms.
void settle() {
    bool settled = false;
    QTimer::singleShot(100, [&] { settled = true; });
    ASSERT_TRUE(runEventsUntil([&] { return settled; }));
}

TEST(InotifyFileReadsTest, ReportsOtherProgramsReadsOfTheFileWatchedNotItsOwn) {
    test::qtApplication();
    TempFolder folder;
    PosixFileSystem files;
    const auto file = folder / "data.json";
    ASSERT_TRUE(files.writeAtomically(file, "{}"));
    InotifyFileReads reads;
    int seen = 0;
    ASSERT_TRUE(reads.watch(file, [&] { ++seen; }));
    const std::string read = "cat '" + file.string() + "' > /dev/null";

    ASSERT_EQ(std::system(read.c_str()), 0);
    ASSERT_TRUE(runEventsUntil([&] { return seen > 0; }));

    seen = 0;
    reads.ownRead([&] { EXPECT_EQ(*files.read(file), "{}"); });
    settle();
    EXPECT_EQ(seen, 0);

    // Written for another program's reading, not read: nothing.
    const std::string write = "echo '{\"a\":1}' > '" + file.string() + "'";
    ASSERT_EQ(std::system(write.c_str()), 0);
    settle();
    EXPECT_EQ(seen, 0);

    // A file moved in over it is watched at once; the old one, moved away, no more.
    ASSERT_EQ(std::system(("mv '" + file.string() + "' '" + (folder / "old.json").string() + "'").c_str()),
              0);
    ASSERT_TRUE(files.writeAtomically(file, "{}"));
    ASSERT_EQ(std::system(("cat '" + (folder / "old.json").string() + "' > /dev/null").c_str()), 0);
    settle();
    EXPECT_EQ(seen, 0);
    ASSERT_EQ(std::system(read.c_str()), 0);
    ASSERT_TRUE(runEventsUntil([&] { return seen > 0; }));
}

TEST(InotifyFileReadsTest, FollowsTheFolderRenamedThenMadeAgain) {
    test::qtApplication();
    TempFolder folder;
    PosixFileSystem files;
    const auto watched = folder / "data";
    const auto file = watched / "data.json";
    std::filesystem::create_directory(watched);
    ASSERT_TRUE(files.writeAtomically(file, "{}"));
    InotifyFileReads reads;
    int seen = 0;
    ASSERT_TRUE(reads.watch(file, [&] { ++seen; }));

    std::filesystem::rename(watched, folder / "data.old");
    // Seen gone with nothing at the path yet; a read in the folder under its new name is not one
    // of the file watched.
    settle();
    ASSERT_EQ(std::system(("cat '" + (folder / "data.old" / "data.json").string() + "' > /dev/null").c_str()),
              0);
    settle();
    EXPECT_EQ(seen, 0);
    std::filesystem::create_directory(watched);
    ASSERT_TRUE(files.writeAtomically(file, "{}"));
    // Read until seen: the path is looked at again about once a second.
    const std::string read = "cat '" + file.string() + "' > /dev/null";
    EXPECT_TRUE(runEventsUntil([&] {
        if (seen == 0) {
            EXPECT_EQ(std::system(read.c_str()), 0);
        }
        return seen > 0;
    }));
}

} // namespace
} // namespace vesk
