#include "core/model/TaskViews.hpp"
#include "core/model/TimerReadings.hpp"
#include "support/StoreTestBed.hpp"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace vesk {
namespace {

using test::StoreTestBed;

TaskList list(const char* id, std::string name) {
    return TaskList{*UUID::parse(id), std::move(name)};
}

constexpr const char* work = "11111111-1111-4111-8111-111111111111";
constexpr const char* home = "22222222-2222-4222-8222-222222222222";

class StorePersistenceTest : public ::testing::Test, protected StoreTestBed {};

TEST_F(StorePersistenceTest, FirstStartHasOneSelectedListAndWritesNothing) {
    Store& store = open();
    ASSERT_EQ(store.lists.get().size(), 1u);
    EXPECT_EQ(store.lists.get()[0].name, "My Tasks");
    EXPECT_EQ(store.prefs.get().selectedListID, store.lists.get()[0].id);
    EXPECT_EQ(store.now.get(), clock.now());
    EXPECT_FALSE(store.lastOnDisk());
    // The folder is made for the watcher, which watches it.
    EXPECT_TRUE(files.hasFolder(path.parent_path()));
    EXPECT_EQ(watcher.folder(), path.parent_path());
    // What a save killed halfway in an earlier run left is tidied away.
    EXPECT_EQ(files.tidied, std::vector<std::filesystem::path>{path});

    queue.advance(60);
    EXPECT_EQ(writes(), 0u);
    EXPECT_EQ(queue.pendingCount(), 0u);
}

TEST_F(StorePersistenceTest, LoadsTheDocumentAndRepairsAStaleSelection) {
    Snapshot snapshot;
    snapshot.lists = {list(work, "Work"), list(home, "Home")};
    snapshot.prefs.selectedListID = UUID::random(random); // a removed list
    snapshot.prefs.focusMinutes = 50;
    putDocument(snapshot);

    Store& store = open();
    EXPECT_EQ(store.lists.get(), snapshot.lists);
    EXPECT_EQ(store.prefs.get().focusMinutes, 50);
    EXPECT_EQ(store.prefs.get().selectedListID, *UUID::parse(work));
    EXPECT_EQ(store.lastOnDisk(), files.contents(path));
    EXPECT_EQ(store.bonsai.get(), BonsaiProgress{}); // no "bonsai" in the document
    EXPECT_EQ(writes(), 0u);                         // the repair waits for the next save

    // In the starred view a stale selection is left alone.
    snapshot.prefs.starredView = true;
    putDocument(snapshot);
    EXPECT_EQ(open().prefs.get().selectedListID, snapshot.prefs.selectedListID);
}

TEST_F(StorePersistenceTest, HandEditedOrdersAreRepairedAtStartAndANewTaskStillComesFirst) {
    Snapshot snapshot;
    snapshot.lists = {list(work, "Work")};
    const auto task = [&](const char* title, double order) {
        TaskItem item;
        item.id = UUID::random(random);
        item.listID = *UUID::parse(work);
        item.title = title;
        item.order = order;
        return item;
    };
    snapshot.tasks = {task("placed", 3), task("no order", std::nan("")),
                      task("no order either", std::nan(""))};
    putDocument(snapshot); // written without the orders

    Store& store = open();
    std::vector<std::string> shown;
    for (const TaskItem& item : visibleOpenTasks(store.tasks.get(), store.lists.get(), store.prefs.get()))
        shown.push_back(item.title);
    EXPECT_EQ(shown, (std::vector<std::string>{"no order either", "no order", "placed"}));
    for (const TaskItem& item : store.tasks.get())
        EXPECT_TRUE(std::isfinite(item.order)) << item.title;

    // Far from zero, one less is the same number: the new task still goes above.
    test::edit(store, &Snapshot::tasks, [](std::vector<TaskItem>& all) { all[0].order = -1.7e308; });
    EXPECT_LT(taskWithID(store.tasks.get(), *store.addTask("new"))->order, -1.7e308);
    // At the lowest number the list is numbered afresh.
    test::edit(store, &Snapshot::tasks,
               [](std::vector<TaskItem>& all) { all[1].order = std::numeric_limits<double>::lowest(); });
    const UUID top = *store.addTask("top");
    EXPECT_EQ(visibleOpenTasks(store.tasks.get(), store.lists.get(), store.prefs.get()).front().id, top);
    for (const TaskItem& item : store.tasks.get())
        EXPECT_TRUE(std::isfinite(item.order)) << item.title;
}

TEST_F(StorePersistenceTest, TasksTheFileLeftOutOfEveryViewAreShownAtStart) {
    const auto task = [&](const char* title, UUID listID, std::optional<UUID> parentID = std::nullopt) {
        TaskItem item;
        item.id = UUID::random(random);
        item.listID = listID;
        item.parentID = parentID;
        item.title = title;
        return item;
    };
    const UUID gone = UUID::random(random);
    Snapshot snapshot;
    snapshot.lists = {list(work, "Work")};
    snapshot.tasks = {task("in no list", gone), task("loop a", *UUID::parse(work)),
                      task("loop b", *UUID::parse(work)), task("under a missing one", gone, gone)};
    snapshot.tasks[1].parentID = snapshot.tasks[2].id;
    snapshot.tasks[2].parentID = snapshot.tasks[1].id;
    putDocument(snapshot);

    testing::internal::CaptureStderr();
    Store& first = open();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "vesk: 3 tasks of " + path.string() +
                  " had no list or parent to show in; put back in a list\n");
    std::vector<std::string> shown;
    for (const TaskItem& item : visibleOpenTasks(first.tasks.get(), first.lists.get(), first.prefs.get()))
        shown.push_back(item.title);
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, (std::vector<std::string>{"in no list", "loop a", "under a missing one"}));
    ASSERT_EQ(subtasksOf(first.tasks.get(), snapshot.tasks[1].id, true).size(), 1u);
    EXPECT_EQ(subtasksOf(first.tasks.get(), snapshot.tasks[1].id, true)[0].title, "loop b");

    // A file without lists: its tasks land in the list a first start makes; a sound file is
    // left as it is, without a word.
    snapshot.lists.clear();
    snapshot.tasks = {task("orphan", gone)};
    putDocument(snapshot);
    testing::internal::CaptureStderr();
    Store& second = open();
    EXPECT_EQ(visibleOpenTasks(second.tasks.get(), second.lists.get(), second.prefs.get()).size(), 1u);
    EXPECT_NE(testing::internal::GetCapturedStderr(), "");
    second.saveNow();
    testing::internal::CaptureStderr();
    open();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(StorePersistenceTest, UndecodableFileIsCopiedAsideThenReplaced) {
    files.put(path, "{\"lists\": [");
    testing::internal::CaptureStderr();
    Store& store = open();
    const auto corrupt = path.string() + ".corrupt-1773057600";
    // Where the user's data went, and where the file stopped making sense.
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "vesk: " + path.string() +
                  " does not decode (line 1, column 12: the document ends early); it is kept as " + corrupt +
                  ", and Vesk starts without it\n");
    EXPECT_EQ(files.contents(corrupt), "{\"lists\": [");
    ASSERT_EQ(store.lists.get().size(), 1u);
    EXPECT_EQ(store.lists.get()[0].name, "My Tasks");
    EXPECT_EQ(store.lastOnDisk(), "{\"lists\": [");

    store.writePrefs([](Prefs& p) { p.sound = false; });
    queue.advance(0.4);
    ASSERT_TRUE(onDisk());
    EXPECT_EQ(onDisk()->lists, store.lists.get());
    EXPECT_EQ(files.contents(corrupt), "{\"lists\": [");
}

TEST_F(StorePersistenceTest, AFileReadAheadCountsOnlyWhileItStillHoldsTheBytesRead) {
    Snapshot first;
    first.lists = {list(work, "Work")};
    putDocument(first);
    auto ahead = readDataFileAhead(path, files, clock.now()).get();
    ASSERT_TRUE(ahead && ahead->snapshot);
    EXPECT_EQ(ahead->snapshot->lists, first.lists);

    // Changed since: what it holds now is read and decoded again.
    Snapshot second;
    second.lists = {list(home, "Home")};
    putDocument(second);
    EXPECT_EQ(open(ahead).lists.get(), second.lists);
    EXPECT_EQ(store->lastOnDisk(), files.contents(path));

    // Unchanged: its decoded document is taken as it is.
    putDocument(first);
    ahead->snapshot->lists[0].name = "Decoded ahead";
    EXPECT_EQ(open(ahead).lists.get()[0].name, "Decoded ahead");

    // Undecodable bytes are copied aside, as any.
    files.put(path, "{\"lists\": [");
    EXPECT_FALSE(readDataFileAhead(path, files, clock.now()).get()->snapshot);
    open(readDataFileAhead(path, files, clock.now()).get());
    EXPECT_EQ(files.contents(path.string() + ".corrupt-1773057600"), "{\"lists\": [");
    EXPECT_EQ(store->lists.get()[0].name, "My Tasks");
    // A file gone since is no document.
    auto gone = readDataFileAhead(path, files, clock.now()).get();
    files.remove(path);
    EXPECT_EQ(open(gone).lists.get()[0].name, "My Tasks");
    EXPECT_FALSE(store->lastOnDisk());
}

TEST_F(StorePersistenceTest, FileThatCannotBeReadOrBackedUpIsNeverOverwritten) {
    // Present but unreadable (permissions, an I/O error): the user's history is in there.
    files.put(path, "history");
    files.failingReads.insert(path);
    {
        Store& store = open();
        store.writePrefs([](Prefs& p) { p.sound = false; });
        queue.advance(1);
        store.saveNow();
        EXPECT_EQ(files.contents(path), "history");
        EXPECT_EQ(writes(), 0u);
    }
    // Undecodable, and the copy beside it cannot be made: replacing it would lose it.
    files.failingReads.clear();
    files.put(path, "not json");
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(clock.now().time_since_epoch());
    files.failingWrites.insert(path.string() + ".corrupt-" + std::to_string(seconds.count()));
    open().saveNow();
    EXPECT_EQ(files.contents(path), "not json");

    // A missing file is no such case.
    files.remove(path);
    open().saveNow();
    EXPECT_EQ(writes(), 1u);
}

TEST_F(StorePersistenceTest, TenChangesMakeOneWriteAfterTheLast) {
    Store& store = open();
    for (int i = 0; i < 10; ++i) {
        store.writePrefs([i](Prefs& p) { p.breakMinutes = i + 1; });
        queue.advance(0.3);
    }
    EXPECT_EQ(writes(), 0u);
    queue.advance(0.09);
    EXPECT_EQ(writes(), 0u);
    queue.advance(0.01);
    EXPECT_EQ(writes(), 1u);
    EXPECT_EQ(onDisk()->prefs.breakMinutes, 10);
    EXPECT_EQ(store.lastOnDisk(), files.contents(path));
    queue.advance(10);
    EXPECT_EQ(writes(), 1u);
}

TEST_F(StorePersistenceTest, SaveNowWritesAtOnceAndCancelsThePendingSave) {
    Store& store = open();
    store.writePrefs([](Prefs& p) { p.sound = false; });
    queue.advance(0.2);
    store.saveNow();
    EXPECT_EQ(writes(), 1u);
    EXPECT_EQ(queue.pendingCount(), 0u);
    queue.advance(1);
    EXPECT_EQ(writes(), 1u);
    // The folder is created when it went missing.
    EXPECT_TRUE(files.hasFolder(path.parent_path()));
}

TEST_F(StorePersistenceTest, ASaveWritesOnlyWhatTheFileDoesNotHold) {
    Snapshot snapshot;
    snapshot.lists = {list(work, "Work")};
    snapshot.prefs.selectedListID = *UUID::parse(work);
    snapshot.bonsai = BonsaiProgress{}; // as every save writes it
    putDocument(snapshot);
    Store& store = open();
    store.saveNow(SaveOccasion::quit);
    EXPECT_EQ(writes(), 0u);

    // A change taken back before its save leaves the file as it is.
    store.writePrefs([](Prefs& p) { p.breakMinutes = 9; });
    store.writePrefs([&](Prefs& p) { p.breakMinutes = snapshot.prefs.breakMinutes; });
    queue.advance(1);
    EXPECT_EQ(writes(), 0u);

    // A file gone from the disk is written again, whatever the store last read from it.
    files.remove(path);
    store.saveNow(SaveOccasion::quit);
    EXPECT_EQ(writes(), 1u);
    EXPECT_EQ(onDisk()->lists, snapshot.lists);

    // What start-up repaired is saved.
    snapshot.prefs.selectedListID = UUID::random(random);
    putDocument(snapshot);
    open().saveNow(SaveOccasion::quit);
    EXPECT_EQ(onDisk()->prefs.selectedListID, *UUID::parse(work));
}

TEST_F(StorePersistenceTest, FailedWriteKeepsTheRememberedBytes) {
    Store& store = open();
    store.saveNow();
    const auto written = store.lastOnDisk();
    ASSERT_TRUE(written);

    files.failAllWrites = true;
    store.writePrefs([](Prefs& p) { p.sound = false; });
    store.saveNow();
    EXPECT_EQ(store.lastOnDisk(), written);
    EXPECT_EQ(files.contents(path), written);

    files.failAllWrites = false;
    store.saveNow();
    EXPECT_NE(store.lastOnDisk(), written);
    EXPECT_EQ(store.lastOnDisk(), files.contents(path));
}

TEST_F(StorePersistenceTest, FolderEventsAreDebouncedAndOwnWritesRecognised) {
    Store& store = open();
    // Like inotify: every change to the folder is an event.
    files.onChange = [this](const std::filesystem::path&) { watcher.fire(); };
    store.saveNow();
    const auto own = store.lastOnDisk();
    queue.advance(0.3);
    EXPECT_EQ(store.lastOnDisk(), own);
    EXPECT_EQ(queue.pendingCount(), 0u); // the re-read changed nothing and scheduled nothing

    // An outside edit, written in three bursts: one check, 0.3 s after the last event.
    files.put(path, "{}");
    queue.advance(0.2);
    files.put(path, "{ }");
    queue.advance(0.2);
    files.put(path, "{  }");
    queue.advance(0.29);
    EXPECT_EQ(store.lastOnDisk(), own);
    queue.advance(0.01);
    EXPECT_EQ(store.lastOnDisk(), "{  }");

    // Deleting the file is an event too, but nothing can be read: nothing changes.
    files.remove(path);
    queue.advance(0.3);
    EXPECT_EQ(store.lastOnDisk(), "{  }");
}

TEST_F(StorePersistenceTest, DestroyedStoreLeavesNothingScheduled) {
    Store& store = open();
    store.start(TimerMode::stopwatch, std::nullopt);
    watcher.fire();
    EXPECT_EQ(queue.pendingCount(), 3u); // ticker, save, check
    this->store.reset();
    EXPECT_EQ(queue.pendingCount(), 0u);
    EXPECT_FALSE(watcher.watching());
    queue.advance(5);
    EXPECT_EQ(writes(), 0u);
}

TEST_F(StorePersistenceTest, OlderLayoutTreeIsAdoptedIntoTheGarden) {
    const Date firstGain = clock.now() - std::chrono::hours(48);
    Snapshot snapshot;
    snapshot.lists = {list(work, "Work")};
    BonsaiProgress progress;
    progress.seed = 77;
    progress.gains = {BonsaiGain{firstGain, 3, GainReason::created}};
    progress.legacyIteration = 40;
    snapshot.bonsai = progress;
    putDocument(snapshot);

    Store& store = open();
    ASSERT_EQ(store.bonsai.get().garden.size(), 1u);
    const GardenTree& tree = store.bonsai.get().garden[0];
    EXPECT_EQ(tree.seed, 77u);
    EXPECT_EQ(tree.plantedAt, firstGain);
    EXPECT_EQ(tree.cubesGrown, 39);
    EXPECT_FALSE(store.bonsai.get().legacyIteration);
    store.saveNow();
    EXPECT_EQ(files.contents(path)->find("\"iteration\""), std::string::npos);
    EXPECT_EQ(open().bonsai.get().garden.size(), 1u); // adopted once

    // Without gains or an iteration: planted now, one cube shown.
    progress.gains.clear();
    progress.legacyIteration.reset();
    progress.garden.clear();
    snapshot.bonsai = progress;
    putDocument(snapshot);
    const GardenTree adopted = open().bonsai.get().garden.at(0);
    EXPECT_EQ(adopted.plantedAt, clock.now());
    EXPECT_EQ(adopted.cubesGrown, 0);

    // A hand-edited iteration at the bottom of the range neither overflows nor goes negative.
    progress.legacyIteration = std::numeric_limits<std::int64_t>::min();
    snapshot.bonsai = progress;
    putDocument(snapshot);
    EXPECT_EQ(open().bonsai.get().garden.at(0).cubesGrown, 0);
}

TEST_F(StorePersistenceTest, RunningTimerResumesTickingAfterARestart) {
    Store& first = open();
    first.start(TimerMode::stopwatch, std::nullopt);
    queue.advance(30);
    first.saveNow();
    store.reset();
    clock.advance(600);

    Store& second = open();
    EXPECT_TRUE(second.isTicking());
    queue.advance(1);
    EXPECT_DOUBLE_EQ(shownTime(second.timer.get(), second.prefs.get(), second.now.get()), 631);
}

} // namespace
} // namespace vesk
