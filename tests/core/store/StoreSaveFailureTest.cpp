// Writes that fail (a full disk, a folder made read-only, a file that cannot be read and so is
// not written over): the change stays due and is written once it can be, and the user's
// terminal or journal hears of it once.
#include "support/StoreTestBed.hpp"

#include <algorithm>
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
    const std::string shown = path.string();
    EXPECT_EQ(GetCapturedStderr(), "vesk: cannot save " + shown +
                                       ": No space left on device; trying again\n" + "vesk: cannot save " +
                                       shown + ": Read-only file system; trying again\n" + "vesk: saved " +
                                       shown + " again\n");
}

TEST_F(StoreSaveFailureTest, QuitWithAChangeNotWrittenSaysSo) {
    files.failAllWrites = true;
    store->addTask("last");
    CaptureStderr();
    store->saveNow(SaveOccasion::quit);
    const std::string log = GetCapturedStderr();
    EXPECT_TRUE(store->hasUnwrittenChanges());
    EXPECT_NE(
        log.find("vesk: quitting with changes not saved to " + path.string() + ": No space left on device"),
        std::string::npos)
        << log;
}

TEST_F(StoreSaveFailureTest, FileUnreadableAtStartIsNeverWrittenOverAndTakenUpOnceReadable) {
    // The user's history, in a file the app cannot read (chmod 000, another owner).
    Snapshot history;
    history.lists = {TaskList{*UUID::parse("11111111-1111-4111-8111-111111111111"), "Work"}};
    history.tasks = {TaskItem{.id = UUID::random(random), .listID = history.lists[0].id, .title = "old"}};
    history.sessions.push_back(
        FocusSession{.id = UUID::random(random), .duration = 1500, .fullPomodoro = true});
    history.prefs.onboarded = true;
    history.prefs.focusMinutes = 50;
    putDocument(history);
    const std::string bytes = *files.contents(path);
    files.failingReads.insert(path);
    CaptureStderr();
    Store& store = open();
    const std::string shown = path.string();
    EXPECT_EQ(GetCapturedStderr(), "vesk: cannot read " + shown +
                                       ": Permission denied; starting without it, which is taken up once it "
                                       "can be read and never written over\n");

    // What the user types is a change that cannot be saved: said once, retried, and a quit
    // with it unwritten says so.
    CaptureStderr();
    store.addTask("typed");
    queue.advance(10);
    store.saveNow(SaveOccasion::quit);
    EXPECT_EQ(files.contents(path), bytes);
    EXPECT_TRUE(store.hasUnwrittenChanges());
    EXPECT_EQ(GetCapturedStderr(),
              "vesk: cannot save " + shown +
                  ": it cannot be read (Permission denied), and is not written over; trying again\n" +
                  "vesk: quitting with changes not saved to " + shown +
                  ": it cannot be read (Permission denied), and is not written over\n");

    // Readable again (chmod 600): the file's document is taken up with the typed task in its
    // list, and saved at once.
    files.failingReads.clear();
    CaptureStderr();
    watcher.fire();
    queue.advance(0.7);
    EXPECT_EQ(GetCapturedStderr(), "vesk: " + shown +
                                       " can be read now; what was done meanwhile is added to it\n" +
                                       "vesk: saved " + shown + " again\n");
    EXPECT_FALSE(store.hasUnwrittenChanges());
    const auto saved = onDisk();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->lists, history.lists);
    ASSERT_EQ(saved->tasks.size(), 2u);
    EXPECT_EQ(saved->tasks[0].title, "old");
    EXPECT_EQ(saved->tasks[1].title, "typed");
    EXPECT_EQ(saved->tasks[1].listID, history.lists[0].id);
    EXPECT_EQ(saved->sessions, history.sessions);
    EXPECT_EQ(saved->prefs.focusMinutes, 50);
    EXPECT_EQ(saved->bonsai->pending, 1); // the cube the typed task earned
}

TEST_F(StoreSaveFailureTest, FolderInTheFilesPlaceIsNeverMovedAndFailsTheSave) {
    // At start-up: nothing is written until it is a file again.
    files.remove(path);
    files.createDirectories(path);
    CaptureStderr();
    open().addTask("typed");
    queue.advance(5);
    EXPECT_TRUE(files.hasFolder(path));
    EXPECT_TRUE(store->hasUnwrittenChanges());
    EXPECT_NE(
        GetCapturedStderr().find("cannot save " + path.string() + ": it cannot be read (Is a directory)"),
        std::string::npos);

    // The folder goes: the typed task is written at once.
    files.removeFolder(path);
    watcher.fire();
    queue.advance(0.7);
    EXPECT_TRUE(savedWith("typed"));
    EXPECT_FALSE(store->hasUnwrittenChanges());
}

TEST_F(StoreSaveFailureTest, CopyAsideThatCannotBeMadeIsAFailedSave) {
    // A full disk, and a file another program left cut short.
    const std::string cut = files.contents(path)->substr(0, 40);
    files.put(path, cut);
    files.failAllWrites = true;
    CaptureStderr();
    store->addTask("typed");
    queue.advance(5);
    EXPECT_EQ(files.contents(path), cut);
    EXPECT_TRUE(store->hasUnwrittenChanges());
    // Unreadable a while, then readable as it was: it still exists nowhere else.
    files.failingReads.insert(path);
    watcher.fire();
    queue.advance(5);
    files.failingReads.clear();
    watcher.fire();
    queue.advance(5);
    EXPECT_EQ(files.contents(path), cut);
    // Space comes back: the copy is made, the file replaced, and both are said.
    files.failAllWrites = false;
    queue.advance(30);
    EXPECT_TRUE(savedWith("typed"));
    EXPECT_FALSE(store->hasUnwrittenChanges());
    const auto aside = files.filesIn(path.parent_path());
    EXPECT_TRUE(std::any_of(aside.begin(), aside.end(), [&](const std::filesystem::path& path) {
        return path.filename().string().starts_with("data.json.corrupt-") && files.contents(path) == cut;
    }));
    const std::string log = GetCapturedStderr();
    EXPECT_NE(log.find("vesk: cannot save " + path.string() +
                       ": it holds what does not decode, of which no copy can be kept beside it (No space "
                       "left on device), and is not written over without one; trying again\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("vesk: saved " + path.string() + " again\n"), std::string::npos) << log;
}

} // namespace
} // namespace vesk
