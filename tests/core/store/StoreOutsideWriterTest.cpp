// Saves that find another program's content in the file which does not decode: a write caught
// halfway, or a hand edit with a typo. Neither is ever written over without a trace.
#include "support/StoreTestBed.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace vesk {
namespace {

using nlohmann::json;

class StoreOutsideWriterTest : public ::testing::Test, protected test::StoreTestBed {
  protected:
    StoreOutsideWriterTest() {
        open().addTask("saved");
        store->saveNow();
    }
    // The file as another program leaves it, and the folder event it brings.
    void write(const std::string& bytes) {
        files.put(path, bytes);
        watcher.fire();
    }
    std::string withTask(const std::string& title) {
        json doc = json::parse(*files.contents(path));
        doc["tasks"].push_back({{"title", title}});
        return doc.dump(1);
    }
    bool hasTask(const std::string& title) {
        for (const TaskItem& item : store->tasks.get())
            if (item.title == title) return true;
        return false;
    }
    // The file holds what the store holds (dates on disk are whole seconds: titles will do).
    bool savedAsHeld() const {
        const auto saved = onDisk();
        if (!saved || saved->tasks.size() != store->tasks.get().size()) return false;
        for (std::size_t i = 0; i < saved->tasks.size(); ++i)
            if (saved->tasks[i].title != store->tasks.get()[i].title) return false;
        return true;
    }
    std::string corruptCopy() const {
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(clock.now().time_since_epoch());
        return path.string() + ".corrupt-" + std::to_string(seconds.count());
    }
    std::size_t fileCount() const { return files.filesIn(path.parent_path()).size(); }
    // The file a save displaced, under its temporary name.
    std::filesystem::path displaced() const {
        for (const auto& file : files.filesIn(path.parent_path()))
            if (file.filename().string().find(".tmp") != std::string::npos) return file;
        return {};
    }
};

TEST_F(StoreOutsideWriterTest, HalfWrittenFileIsNotOverwrittenAndTheCompletedWriteIsMerged) {
    const std::string full = withTask("theirs");
    const std::string half = full.substr(0, full.size() / 2);
    store->addTask("mine"); // a save falls due while the other program is halfway
    queue.advance(0.2);
    write(half);
    queue.advance(1.0);
    EXPECT_EQ(files.contents(path), half);
    EXPECT_EQ(writes(), 1u);

    write(full);
    queue.advance(0.3); // the folder settles: the save looks again at once
    EXPECT_TRUE(hasTask("theirs"));
    EXPECT_EQ(writes(), 2u);
    EXPECT_TRUE(savedAsHeld());
    EXPECT_EQ(fileCount(), 1u); // nothing needed copying
    queue.advance(10);
    EXPECT_EQ(writes(), 2u);
}

TEST_F(StoreOutsideWriterTest, UndecodableEditIsCopiedAsideBeforeTheSaveReplacesIt) {
    const std::string typo = withTask("by hand") + ",";
    write(typo);
    queue.advance(0.3); // the check finds it and leaves everything as it was
    store->addTask("mine");
    queue.advance(0.4);
    // The writer gets ten seconds from the first save that found it, however busy it stays.
    std::string last = typo;
    for (int i = 1; i < 20; ++i) {
        last = typo + std::string(static_cast<std::size_t>(i), ' ');
        write(last);
        queue.advance(0.5);
        EXPECT_EQ(files.contents(path), last);
    }
    queue.advance(0.49);
    EXPECT_EQ(writes(), 1u);
    queue.advance(0.01);
    EXPECT_EQ(writes(), 2u);
    EXPECT_EQ(files.contents(corruptCopy()), last);
    EXPECT_TRUE(savedAsHeld());
    EXPECT_TRUE(hasTask("mine"));

    // The same typo again is copied again, under a later name, never over the first copy.
    const std::string firstCopy = corruptCopy();
    queue.advance(5);
    write(last);
    store->saveNow();
    queue.advance(2);
    EXPECT_EQ(files.contents(firstCopy), last);
    EXPECT_EQ(files.contents(corruptCopy()), last);
    EXPECT_EQ(writes(), 3u);
}

TEST_F(StoreOutsideWriterTest, WriteLandingDuringASaveIsMergedNeverReplaced) {
    // With names exchanged in one step, and where the file system cannot (a compare, then a rename).
    for (const bool exchanges : {true, false}) {
        files.exchanges = exchanges;
        const std::string title = exchanges ? "renamed in" : "renamed in, no exchange";
        const std::string theirs = withTask(title);
        writer.hold = true; // the save is read and handed over, and the disk is slow
        store->addTask("mine " + title);
        queue.advance(0.4);
        files.put(path, theirs); // the other program's rename lands before the save's
        writer.complete();
        writer.hold = false;
        watcher.fire();
        queue.advance(1.5);
        EXPECT_TRUE(hasTask(title));
        EXPECT_TRUE(hasTask("mine " + title));
        EXPECT_TRUE(savedAsHeld());
        queue.advance(11);
        EXPECT_EQ(fileCount(), 1u);
    }
}

TEST_F(StoreOutsideWriterTest, InPlaceWriterPausingPastTheWaitIsMergedFromTheFileItStillHolds) {
    const std::string full = withTask("in place");
    store->addTask("mine");
    queue.advance(0.2);
    files.holdOpen(path);
    write(full.substr(0, full.size() / 2));
    queue.advance(3); // the save waited two seconds, then went in
    EXPECT_EQ(writes(), 2u);
    EXPECT_TRUE(savedAsHeld());
    // The writer stalls, however long, and the file it holds open is kept for it.
    const auto held = displaced();
    ASSERT_FALSE(held.empty());
    queue.advance(30);
    EXPECT_TRUE(files.contents(held));
    // The rest goes into that file; its close is a change in the folder.
    files.put(held, full);
    files.close(held);
    watcher.fire();
    queue.advance(1);
    EXPECT_TRUE(hasTask("in place"));
    EXPECT_TRUE(hasTask("mine"));
    EXPECT_TRUE(savedAsHeld());
    EXPECT_EQ(fileCount(), 1u); // no copy of the half left, nothing displaced kept
}

TEST_F(StoreOutsideWriterTest, DisplacedFileIsKeptWhereItsWriterCannotBeToldAndMovedAsideAtQuit) {
    const std::string full = withTask("late");
    // A file system that cannot tell whether the file is open: watched while it changes.
    files.cannotTell = true;
    store->addTask("mine");
    queue.advance(0.2);
    write(full.substr(0, full.size() / 3));
    queue.advance(3);
    const auto held = displaced();
    ASSERT_FALSE(held.empty());
    queue.advance(8);
    files.put(held, full.substr(0, 2 * full.size() / 3));
    watcher.fire();
    queue.advance(9.5);
    EXPECT_TRUE(files.contents(held));
    // A writer still holding it at quit writes on into a copy the user can find.
    files.cannotTell = false;
    files.holdOpen(held);
    testing::internal::CaptureStderr();
    store->saveNow(SaveOccasion::quit);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(files.contents(held));
    EXPECT_NE(log.find("was still going on at quit; it is kept as " + path.string() + ".corrupt-"),
              std::string::npos)
        << log;
    EXPECT_TRUE(hasTask("mine"));
}

TEST_F(StoreOutsideWriterTest, WriterSeenWritingIsWaitedForPastTwoSeconds) {
    const std::string full = withTask("slow");
    store->addTask("mine");
    for (int part = 1; part <= 5; ++part) {
        write(full.substr(0, full.size() * static_cast<std::size_t>(part) / 6));
        queue.advance(1.5);
    }
    EXPECT_EQ(writes(), 1u);
    write(full);
    queue.advance(0.3);
    EXPECT_TRUE(hasTask("slow"));
    EXPECT_TRUE(hasTask("mine"));
    EXPECT_EQ(writes(), 2u);
    EXPECT_EQ(fileCount(), 1u);
}

TEST_F(StoreOutsideWriterTest, QuitWaitsBrieflyThenCopiesOrMerges) {
    const std::string typo = withTask("by hand") + ",";
    write(typo);
    const Date quit = clock.now();
    store->saveNow(SaveOccasion::quit);
    EXPECT_EQ(secondsBetween(quit, clock.now()), 0.3);
    EXPECT_EQ(files.contents(corruptCopy()), typo);
    EXPECT_EQ(writes(), 2u);
    EXPECT_TRUE(savedAsHeld());

    // A writer that finishes during the wait is merged, and nothing is copied.
    const std::string full = withTask("in time");
    write(full.substr(0, 10));
    watcher.onWait = [&](double) {
        clock.advance(0.05);
        files.put(path, full);
        return true;
    };
    const std::size_t before = fileCount();
    store->saveNow(SaveOccasion::quit);
    EXPECT_TRUE(hasTask("in time"));
    EXPECT_EQ(writes(), 3u);
    EXPECT_EQ(fileCount(), before);
}

TEST_F(StoreOutsideWriterTest, CopyThatCannotBeMadeKeepsTheFile) {
    const std::string typo = withTask("by hand") + ",";
    write(typo);
    files.failingWrites.insert(corruptCopy());
    store->saveNow(SaveOccasion::quit);
    EXPECT_EQ(files.contents(path), typo);
    // Another try, once a copy can be made.
    files.failingWrites.clear();
    store->addTask("mine");
    queue.advance(2.4);
    EXPECT_EQ(files.contents(corruptCopy()), typo);
    EXPECT_TRUE(savedAsHeld());
}

TEST_F(StoreOutsideWriterTest, EmptiedOrRemovedFileIsWrittenBackAtOnce) {
    // With names exchanged in one step, and where a save first checks what it replaces.
    for (const bool exchanges : {true, false}) {
        files.exchanges = exchanges;
        for (const bool removed : {false, true}) {
            if (removed)
                files.remove(path);
            else
                files.put(path, "");
            watcher.fire();
            queue.advance(0.7);
            EXPECT_TRUE(savedAsHeld()) << exchanges << removed;
            EXPECT_EQ(fileCount(), 1u); // nothing to copy aside in an empty file
        }
    }
}

TEST_F(StoreOutsideWriterTest, SaveStillBeingWrittenIsTheStoresOwn) {
    writer.hold = true; // a slow disk
    const auto before = files.contents(path);
    store->addTask("mine");
    store->saveNow();
    const auto saved = store->lastOnDisk();
    EXPECT_NE(saved, before);
    // The folder changes (the temporary file), and the file still holds the older save.
    watcher.fire();
    queue.advance(0.3);
    EXPECT_TRUE(hasTask("mine"));
    queue.advance(1);
    EXPECT_EQ(writer.queued(), 1u); // nothing merged, no other save asked for
    writer.complete();
    watcher.fire();
    queue.advance(0.3);
    EXPECT_EQ(store->lastOnDisk(), files.contents(path));
    EXPECT_EQ(store->lastOnDisk(), saved);

    // A write that fails leaves the bytes remembered before it.
    files.failAllWrites = true;
    store->addTask("lost");
    store->saveNow();
    writer.complete();
    watcher.fire();
    queue.advance(0.3);
    EXPECT_EQ(store->lastOnDisk(), saved);
    EXPECT_TRUE(hasTask("lost"));
}

} // namespace
} // namespace vesk
