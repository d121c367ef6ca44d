// Writes that fail (a full disk, a folder made read-only): the change stays due and is written
// once the disk takes it, and the user's terminal or journal hears of it once.
#include "support/StoreTestBed.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

class StoreSaveFailureTest : public ::testing::Test, protected test::StoreTestBed {
  protected:
    StoreSaveFailureTest() { open().saveNow(); }
    bool savedWith(const std::string& title) const {
        const auto saved = onDisk();
        if (!saved) return false;
        for (const TaskItem& item : saved->tasks)
            if (item.title == title) return true;
        return false;
    }
};

TEST_F(StoreSaveFailureTest, FailedWriteIsRetriedUntilItLandsAndReportedOnce) {
    files.failAllWrites = true;
    CaptureStderr();
    store->addTask("first");
    queue.advance(0.4);
    queue.advance(60); // tried again after 1, 2, 4, 8 and 16 s; the next in 30 s
    store->addTask("second");
    queue.advance(0.4); // this save fails too, and the next try stays 30 s away
    files.failure = "Read-only file system";
    queue.advance(30);
    files.failAllWrites = false;
    queue.advance(29.8);
    EXPECT_FALSE(savedWith("first"));
    EXPECT_TRUE(store->hasUnwrittenChanges());
    queue.advance(0.2);
    EXPECT_TRUE(savedWith("first"));
    EXPECT_TRUE(savedWith("second"));
    EXPECT_FALSE(store->hasUnwrittenChanges());
    queue.advance(120);
    const std::string path = url.string();
    EXPECT_EQ(GetCapturedStderr(), "vesk: cannot save " + path + ": No space left on device; trying again\n" +
                                       "vesk: cannot save " + path +
                                       ": Read-only file system; trying again\n" + "vesk: saved " + path +
                                       " again\n");
}

TEST_F(StoreSaveFailureTest, QuitWithAChangeNotWrittenSaysSo) {
    files.failAllWrites = true;
    store->addTask("last");
    CaptureStderr();
    store->saveNow(SaveOccasion::quit);
    const std::string log = GetCapturedStderr();
    EXPECT_TRUE(store->hasUnwrittenChanges());
    EXPECT_NE(
        log.find("vesk: quitting with changes not saved to " + url.string() + ": No space left on device"),
        std::string::npos)
        << log;
}

} // namespace
} // namespace vesk
