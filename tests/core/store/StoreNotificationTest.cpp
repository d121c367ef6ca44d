#include "core/model/TaskViews.hpp"
#include "support/StoreTestBed.hpp"

#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace vesk {
namespace {

TEST(ChangeBatchTest, ValuesOfABatchTellOnceTheOutermostHoldClosesAndAGroupOnce) {
    ChangeBatch batch;
    Observed<int> a(0, batch), b(0, batch);
    Observed<int> loose(0);
    std::vector<std::string> told;
    const int group = 0;
    a.observe([&] { told.push_back("a=" + std::to_string(a.get()) + ",b=" + std::to_string(b.get())); });
    a.observe([&] { told.push_back("group"); }, &group);
    b.observe([&] { told.push_back("group"); }, &group);
    loose.observe([&] { told.push_back("loose"); });
    {
        const auto outer = batch.hold();
        {
            const auto inner = batch.hold();
            a.set(1);
            a.set(2);
            b.set(5);
        }
        loose.set(1); // not of the batch: at once
        EXPECT_EQ(told, (std::vector<std::string>{"loose"}));
    }
    EXPECT_EQ(told, (std::vector<std::string>{"loose", "a=2,b=5", "group"}));
    b.set(6);
    EXPECT_EQ(told.back(), "group");
}

// Every observer of the store's task data sees whole states only: no task in a list that
// is gone, the selected list among the lists, the timer attached to a task that exists; and
// it hears of each operation once.
class StoreNotificationTest : public ::testing::Test, protected test::StoreTestBed {
  protected:
    StoreNotificationTest() {
        open();
        first = store->lists.get()[0].id;
        work = store->addList("Work");
        doomed = *store->addTask("report", std::nullopt, work);
        store->addTask("figures", doomed);
        store->addTask("groceries", std::nullopt, first);
        store->start(TimerMode::stopwatch, doomed);
        const auto check = [this] {
            ++calls;
            const auto& lists = store->lists.get();
            const auto listExists = [&](const UUID& id) {
                return std::any_of(lists.begin(), lists.end(), [&](const TaskList& l) { return l.id == id; });
            };
            for (const TaskItem& item : store->tasks.get())
                if (!listExists(item.listID)) halfDone.push_back(item.title + " in a list that is gone");
            if (const auto& selected = store->prefs.get().selectedListID; selected && !listExists(*selected))
                halfDone.push_back("the selected list is gone");
            if (const auto& timed = store->timer.get().taskID;
                timed && !taskWithID(store->tasks.get(), *timed))
                halfDone.push_back("the timer's task is gone");
        };
        for (const ObservedBase* value : std::initializer_list<const ObservedBase*>{
                 &store->tasks, &store->lists, &store->prefs, &store->timer})
            value->observe(check, this);
    }

    UUID first, work, doomed;
    int calls = 0;
    std::vector<std::string> halfDone;
};

TEST_F(StoreNotificationTest, DeletingAListAndUndoingItAreEachToldOnceAndWhole) {
    store->deleteList(work);
    EXPECT_EQ(calls, 1);
    store->undo();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(store->lists.get().size(), 2u);
    EXPECT_TRUE(halfDone.empty()) << halfDone.front();
}

TEST_F(StoreNotificationTest, AnOutsideEditThatReplacesTheListsIsToldOnceAndWhole) {
    store->saveNow();
    auto document = nlohmann::json::parse(*files.contents(path));
    document["lists"] =
        nlohmann::json::array({{{"id", "33333333-3333-4333-8333-333333333333"}, {"name", "Home"}}});
    document.erase("tasks");
    files.put(path, document.dump());
    watcher.fire();
    queue.advance(0.3);
    EXPECT_EQ(store->lists.get().size(), 1u);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(halfDone.empty()) << halfDone.front();
}

} // namespace
} // namespace vesk
