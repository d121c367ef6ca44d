#include "core/model/TaskViews.hpp"
#include "core/runtime/Observations.hpp"
#include "support/StoreTestBed.hpp"

#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <unordered_set>

namespace vesk {
namespace {

using nlohmann::json;
using test::StoreTestBed;

class StoreMergeTest : public ::testing::Test, protected StoreTestBed {
  protected:
    StoreMergeTest() {
        open();
        store->plant(5);
        heard.listen(store->grew, [this](std::int64_t from, std::int64_t to, GainReason reason) {
            grants.emplace_back(to - from, reason);
        });
        parent = *store->addTask("parent");
        store->addTask("child", parent);
        store->saveNow();
        grants.clear();
    }
    Store& s() { return *store; }
    json document() { return json::parse(*files.contents(path)); }
    // Another program writes the file; the folder event comes, then the check.
    void edit(const json& doc) { write(doc.dump()); }
    void write(const std::string& bytes) {
        files.put(path, bytes);
        watcher.fire();
        queue.advance(0.3);
    }
    const TaskItem* find(const std::string& title) {
        for (const TaskItem& item : s().tasks.get())
            if (item.title == title) return &item;
        return nullptr;
    }
    // Tasks typed in the app, each saved on its own.
    std::vector<std::string> typeSaved(int count) {
        std::vector<std::string> titles;
        for (int i = 1; i <= count; ++i) {
            titles.push_back("typed " + std::to_string(i));
            s().addTask(titles.back());
            queue.advance(0.4);
        }
        return titles;
    }
    UUID parent;
    std::vector<std::pair<std::int64_t, GainReason>> grants;
    Observations heard;
};

TEST_F(StoreMergeTest, HandAddedTasksGetAnIdTheFirstListAndTheTop) {
    s().deleteTask(*s().addTask("gone"));
    ASSERT_TRUE(s().undoLabel.get());
    s().saveNow();
    grants.clear();
    const auto writesBefore = writes();
    json doc = document();
    doc["tasks"].push_back({{"title", "x"}});
    doc["tasks"].push_back({{"title", "y"}});
    doc["tasks"].push_back({{"title", "orphan"}, {"parentID", "33333333-3333-4333-8333-333333333333"}});
    edit(doc);

    const TaskItem* x = find("x");
    const TaskItem* y = find("y");
    const TaskItem* orphan = find("orphan");
    ASSERT_TRUE(x && y && orphan);
    const TaskItem* top = find("parent");
    EXPECT_EQ(x->listID, s().lists.get()[0].id);
    EXPECT_EQ(x->order, top->order - 1);
    EXPECT_EQ(y->order, x->order - 1); // later in the file, higher up
    EXPECT_FALSE(orphan->parentID);
    EXPECT_EQ(grants, (std::vector<std::pair<std::int64_t, GainReason>>{{3, GainReason::created}}));
    EXPECT_FALSE(s().undoLabel.get());

    // Written back in the program's form, with the new ids.
    queue.advance(0.4);
    EXPECT_EQ(writes(), writesBefore + 1);
    const auto saved = onDisk()->tasks;
    ASSERT_EQ(saved.size(), s().tasks.get().size());
    for (std::size_t i = 0; i < saved.size(); ++i) {
        EXPECT_EQ(saved[i].id, s().tasks.get()[i].id);
        EXPECT_EQ(saved[i].listID, s().tasks.get()[i].listID);
        EXPECT_EQ(saved[i].order, s().tasks.get()[i].order);
    }
    // Its own write is recognised and changes nothing.
    watcher.fire();
    queue.advance(0.3);
    EXPECT_EQ(writes(), writesBefore + 1);
}

TEST_F(StoreMergeTest, ListAndParentRepairsNeverLoseATask) {
    json doc = document();
    const std::string list = doc["lists"][0]["id"];
    const std::string ghost = "44444444-4444-4444-8444-444444444444";
    const std::string self = "55555555-5555-4555-8555-555555555555";
    doc["tasks"] = json::array({
        {{"id", "66666666-6666-4666-8666-666666666666"}, {"title", "p"}, {"listID", ghost}, {"order", 0}},
        {{"title", "c"},
         {"listID", ghost},
         {"parentID", "66666666-6666-4666-8666-666666666666"},
         {"order", 1}},
        {{"id", self}, {"title", "self"}, {"parentID", self}, {"listID", list}, {"order", 2}},
    });
    edit(doc);
    ASSERT_EQ(s().tasks.get().size(), 3u);
    for (const TaskItem& item : s().tasks.get())
        EXPECT_EQ(item.listID, s().lists.get()[0].id) << item.title;
    EXPECT_TRUE(find("c")->parentID);
    EXPECT_FALSE(find("self")->parentID);
    EXPECT_EQ(visibleOpenTasks(s().tasks.get(), s().lists.get(), s().prefs.get()).size(), 2u);
}

TEST_F(StoreMergeTest, CompletionInTheFileCompletesOpenSubtasksAndEarnsOnce) {
    json doc = document();
    for (json& task : doc["tasks"])
        if (task["title"] == "parent") task["completedAt"] = "2026-03-09T11:00:00Z";
    random.script = {0, 2}; // 2 and 4 cubes
    edit(doc);
    EXPECT_EQ(grants, (std::vector<std::pair<std::int64_t, GainReason>>{{6, GainReason::completed}}));
    EXPECT_EQ(find("child")->completedAt, clock.now());
    EXPECT_EQ(find("parent")->rewarded, true);

    // Reopened and completed again in the file: nothing more.
    grants.clear();
    queue.advance(0.4);
    doc = document();
    for (json& task : doc["tasks"])
        task.erase("completedAt");
    edit(doc);
    doc = document();
    for (json& task : doc["tasks"])
        task["completedAt"] = "2026-03-09T12:00:00Z";
    edit(doc);
    EXPECT_TRUE(grants.empty());
}

TEST_F(StoreMergeTest, OnlyListsAndTasksAreTakenFromTheFile) {
    json doc = document();
    doc["prefs"]["focusMinutes"] = 99;
    doc["lists"] = json::array();
    doc.erase("tasks");
    edit(doc);
    EXPECT_EQ(s().tasks.get().size(), 2u);
    EXPECT_EQ(s().lists.get().size(), 1u);
    EXPECT_NE(s().prefs.get().focusMinutes, 99);
    queue.advance(0.4);
    EXPECT_NE(document()["prefs"]["focusMinutes"], 99);

    const UUID timed = find("child")->id;
    s().start(TimerMode::stopwatch, timed);
    doc = document();
    doc["lists"] = json::array({{{"id", "77777777-7777-4777-8777-777777777777"}, {"name", "New"}}});
    doc["tasks"] = json::array();
    edit(doc);
    EXPECT_TRUE(s().tasks.get().empty());
    EXPECT_EQ(s().prefs.get().selectedListID, *UUID::parse("77777777-7777-4777-8777-777777777777"));
    EXPECT_FALSE(s().timer.get().taskID);
    EXPECT_TRUE(s().timer.get().runningSince);
}

TEST_F(StoreMergeTest, NewListsWithoutTasksKeepEveryTaskInAList) {
    // Found by fuzzing: lists replaced, "tasks" missing, and the kept tasks pointed at a list
    // that no longer existed.
    json doc = document();
    doc["lists"] = json::array({{{"id", "88888888-8888-4888-8888-888888888888"}, {"name", "Inbox"}}});
    doc.erase("tasks");
    edit(doc);
    ASSERT_EQ(s().tasks.get().size(), 2u);
    for (const TaskItem& item : s().tasks.get())
        EXPECT_EQ(item.listID, *UUID::parse("88888888-8888-4888-8888-888888888888"));
}

TEST_F(StoreMergeTest, HalfWrittenFileWaitsForTheCompleteOne) {
    const std::string full = [&] {
        json doc = document();
        doc["tasks"].push_back({{"title", "late"}});
        return doc.dump();
    }();
    write(full.substr(0, full.size() / 2));
    EXPECT_EQ(s().tasks.get().size(), 2u);
    EXPECT_EQ(s().lastOnDisk(), full.substr(0, full.size() / 2));
    write(full);
    EXPECT_TRUE(find("late"));
}

TEST_F(StoreMergeTest, OwnSaveMergesAnEditTheCheckHasNotSeenYet) {
    s().addTask("mine");
    queue.advance(0.2);
    json doc = document();
    doc["tasks"].push_back({{"title", "theirs"}});
    files.put(path, doc.dump());
    watcher.fire();
    queue.advance(0.25); // the save falls due before the check
    ASSERT_TRUE(find("theirs"));
    EXPECT_TRUE(find("mine")); // made after the file the edit was based on
    queue.advance(1);
    const auto saved = onDisk();
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->tasks.size(), 4u);
    EXPECT_EQ(saved->tasks[2].title, "theirs");
}

TEST_F(StoreMergeTest, EditBasedOnTheOlderFileKeepsWhatTheAppDidSince) {
    s().addTask("doomed");
    s().saveNow();
    const UUID child = find("child")->id;
    s().toggleStar(child);
    s().saveNow();
    json doc = document(); // what the other program read
    reads.read();
    // In the app since then, not saved yet.
    s().addTask("mine");
    s().toggleDone(child);
    s().update(parent, [](TaskItem& item) { item.title = "renamed here"; });
    s().renameList(s().lists.get()[0].id, "Mine too");
    const UUID ownList = s().addList("Added here");
    // The other program deletes one task, adds one and writes notes on another.
    auto& tasks = doc["tasks"];
    tasks.erase(std::remove_if(tasks.begin(), tasks.end(),
                               [](const json& task) { return task["title"] == "doomed"; }),
                tasks.end());
    for (json& task : tasks)
        if (task["title"] == "parent") task["notes"] = "their notes";
    tasks.push_back({{"title", "theirs"}});
    edit(doc);

    EXPECT_FALSE(find("doomed"));
    ASSERT_TRUE(find("theirs") && find("mine"));
    EXPECT_TRUE(find("child")->completedAt);
    EXPECT_EQ(find("renamed here")->notes, "their notes");
    ASSERT_EQ(s().lists.get().size(), 2u);
    EXPECT_EQ(s().lists.get()[0].name, "Mine too");
    EXPECT_EQ(s().lists.get()[1].id, ownList);
}

TEST_F(StoreMergeTest, OlderCopyWrittenBackTakesAwayOnlyWhatItsWriterTookAway) {
    const json read = document(); // a script or an editor reads the file
    const auto typed = typeSaved(5);
    testing::internal::CaptureStderr();
    edit(read); // ... and writes it back unchanged, seconds later
    for (const std::string& title : typed)
        EXPECT_TRUE(find(title)) << title;
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "vesk: another program wrote " + path.string() +
                  " from an earlier state of it; what Vesk saved since is kept\n");

    // Another one read the same state, added a task and removed the child: only that goes,
    // and the document as it stood is kept beside the file.
    json changed = read;
    auto& tasks = changed["tasks"];
    tasks.erase(
        std::remove_if(tasks.begin(), tasks.end(), [](const json& task) { return task["title"] == "child"; }),
        tasks.end());
    tasks.push_back({{"title", "theirs"}});
    queue.advance(0.4); // the store's own document is on the disk again
    const std::string before = *files.contents(path);
    edit(changed);
    EXPECT_TRUE(find("theirs"));
    EXPECT_FALSE(find("child"));
    for (const std::string& title : typed)
        EXPECT_TRUE(find(title)) << title;
    EXPECT_EQ(files.contents(path.string() + ".before-merge-1773057603"), before);
}

TEST_F(StoreMergeTest, BackupOlderThanTheLastSavesIsTakenAndWhatItRemovesKeptAside) {
    const json backup = document();
    const auto typed = typeSaved(12);
    testing::internal::CaptureStderr();
    edit(backup);
    const std::string log = testing::internal::GetCapturedStderr();
    // What it removed is in the copy the line names; nothing typed is lost.
    const auto at = log.find("the document as it was is kept as ");
    ASSERT_NE(at, std::string::npos) << log;
    const std::string copy = log.substr(at + 34, log.find('\n', at) - at - 34);
    const auto kept = decodeSnapshot(*files.contents(copy), clock.now());
    ASSERT_TRUE(kept);
    std::size_t removed = 0;
    for (const std::string& title : typed) {
        if (find(title)) continue;
        ++removed;
        EXPECT_TRUE(std::any_of(kept->tasks.begin(), kept->tasks.end(), [&](const TaskItem& task) {
            return task.title == title;
        })) << title;
    }
    EXPECT_GT(removed, 0u);
}

TEST_F(StoreMergeTest, MembersThisProgramDoesNotKnowSurviveLoadMergeAndSave) {
    // A peer's fields in the file the app starts on.
    json doc = document();
    doc["version"] = 2;
    doc["tasks"][0]["syncID"] = "abc";
    doc["prefs"]["theme"] = "dark";
    doc["bonsai"]["garden"][0]["photo"] = "tree.png";
    files.put(path, doc.dump());
    open();
    s().addTask("mine");
    queue.advance(0.4);
    doc = document();
    EXPECT_EQ(doc["version"], 2);
    EXPECT_EQ(doc["tasks"][0]["syncID"], "abc");
    EXPECT_EQ(doc["prefs"]["theme"], "dark");
    EXPECT_EQ(doc["bonsai"]["garden"][0]["photo"], "tree.png");

    // The peer adds and changes its fields while the app changes the same task: both stay.
    doc["version"] = 3;
    doc["sync"] = {{"at", "now"}};
    doc["tasks"][1]["tags"] = json::array({"a", "b"});
    s().update(find("parent")->id, [](TaskItem& task) { task.notes = "from the app"; });
    edit(doc);
    queue.advance(0.4);
    doc = document();
    EXPECT_EQ(doc["version"], 3);
    EXPECT_EQ(doc["sync"]["at"], "now");
    EXPECT_EQ(doc["tasks"][0]["syncID"], "abc");
    EXPECT_EQ(doc["tasks"][0]["notes"], "from the app");
    EXPECT_EQ(doc["tasks"][1]["tags"], json::array({"a", "b"}));
    EXPECT_EQ(doc["prefs"]["theme"], "dark");

    // Added by the peer while the app runs, at every level.
    s().start(TimerMode::stopwatch, std::nullopt);
    queue.advance(60);
    s().finish();
    queue.advance(0.4);
    doc = document();
    reads.read();
    doc["prefs"]["accent"] = "teal";
    doc["timer"]["x"] = 1;
    doc["sessions"][0]["x"] = 2;
    doc["bonsai"]["x"] = 3;
    doc["bonsai"]["garden"][0]["x"] = 4;
    edit(doc);
    queue.advance(0.4);
    doc = document();
    EXPECT_EQ(doc["prefs"]["accent"], "teal");
    EXPECT_EQ(doc["timer"]["x"], 1);
    EXPECT_EQ(doc["sessions"][0]["x"], 2);
    EXPECT_EQ(doc["bonsai"]["x"], 3);
    EXPECT_EQ(doc["bonsai"]["garden"][0]["x"], 4);
    EXPECT_EQ(doc["bonsai"]["garden"][0]["photo"], "tree.png");

    // Removed by the peer, gone.
    doc.erase("sync");
    edit(doc);
    queue.advance(0.4);
    EXPECT_FALSE(document().contains("sync"));
    EXPECT_EQ(document()["version"], 3);
}

TEST_F(StoreMergeTest, EditorOpenAcrossManySavesChangesOnlyWhatItChanged) {
    json doc = document();
    reads.read(); // an editor opens the file, and stays open
    const UUID child = find("child")->id;
    s().toggleDone(child);
    queue.advance(0.4);
    const auto typed = typeSaved(10);
    for (json& task : doc["tasks"])
        if (task["title"] == "child") task["notes"] = "from the editor";
    edit(doc);
    EXPECT_TRUE(find("child")->completedAt);
    EXPECT_EQ(find("child")->notes, "from the editor");
    for (const std::string& title : typed)
        EXPECT_TRUE(find(title)) << title;
}

TEST_F(StoreMergeTest, WithoutAReadSeenAnEditFittingTwoStatesIsBasedOnTheOlder) {
    // A copy put back from elsewhere, as far from the state before the app's change as from
    // the one after it: the app's change is not read as the copy's.
    json doc = document();
    s().toggleDone(find("child")->id);
    queue.advance(0.4);
    for (json& task : doc["tasks"])
        if (task["title"] == "child") task["notes"] = "copied";
    edit(doc);
    EXPECT_TRUE(find("child")->completedAt);
    EXPECT_EQ(find("child")->notes, "copied");
}

TEST_F(StoreMergeTest, AppChangeTheEditPutsBackIsKeptAsideAndNamed) {
    json doc = document();
    reads.read();
    s().update(parent, [](TaskItem& task) { task.title = "renamed here"; });
    s().toggleStar(parent);
    queue.advance(0.4);
    const std::string before = *files.contents(path);
    for (json& task : doc["tasks"])
        if (task["title"] == "parent") task["title"] = "renamed there";
    testing::internal::CaptureStderr();
    edit(doc);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(find("renamed there")->starred, true);
    EXPECT_NE(log.find("put back what Vesk changed in \"renamed here\" (title)"), std::string::npos) << log;
    const auto kept = files.filesIn(path.parent_path());
    EXPECT_TRUE(std::any_of(kept.begin(), kept.end(), [&](const auto& file) {
        return file != path && files.contents(file) == before;
    }));
}

TEST_F(StoreMergeTest, DeletionsByHandHoldEitherWay) {
    // The newest task, deleted in the file.
    s().addTask("newest");
    queue.advance(0.4);
    json doc = document();
    reads.read();
    auto& tasks = doc["tasks"];
    tasks.erase(std::remove_if(tasks.begin(), tasks.end(),
                               [](const json& task) { return task["title"] == "newest"; }),
                tasks.end());
    edit(doc);
    EXPECT_FALSE(find("newest"));

    // A task deleted in the app, put back by hand.
    queue.advance(0.4);
    const json withChild = document();
    s().deleteTask(find("child")->id);
    queue.advance(0.4);
    document();
    reads.read();
    edit(withChild);
    EXPECT_TRUE(find("child"));
}

TEST_F(StoreMergeTest, RepeatedIdsPartAtLoadAndMerge) {
    json doc = document();
    json copy = doc["tasks"][0];
    copy["title"] = "pasted";
    doc["tasks"].push_back(copy);
    reads.read();
    edit(doc);
    ASSERT_TRUE(find("pasted"));
    EXPECT_NE(find("pasted")->id, parent);
    s().deleteTask(find("pasted")->id);
    EXPECT_TRUE(taskWithID(s().tasks.get(), parent));

    files.put(path, doc.dump());
    open();
    std::unordered_set<UUID> ids;
    for (const TaskItem& task : s().tasks.get())
        ids.insert(task.id);
    EXPECT_EQ(ids.size(), s().tasks.get().size());
}

TEST_F(StoreMergeTest, RemovalWaitsWhileNoCopyCanBeKept) {
    json doc = document();
    doc["tasks"] = json::array();
    files.failAllWrites = true;
    edit(doc);
    EXPECT_EQ(s().tasks.get().size(), 2u);
    EXPECT_TRUE(s().hasUnwrittenChanges());
    files.failAllWrites = false;
    queue.advance(1);
    EXPECT_TRUE(s().tasks.get().empty());
    EXPECT_FALSE(s().hasUnwrittenChanges());
    EXPECT_EQ(files.filesIn(path.parent_path()).size(), 2u); // the file and the copy
}

} // namespace
} // namespace vesk
