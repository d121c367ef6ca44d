#include "devtools/Demo.hpp"

#include "core/model/TaskViews.hpp"
#include "support/StoreTestBed.hpp"

#include <gtest/gtest.h>
#include <map>

namespace vesk {
namespace {

// The virtual clock's today is Monday 2026-03-09 in New York, where clocks went forward the
// day before and back on 2025-11-02: both changes fall inside the half year of history.
struct DemoBed : test::StoreTestBed {
    test::ScopedTimeZone newYork{"America/New_York"};

    // Random values that give every day five sessions (4 + 10k) or none (9 + 10k), each one
    // a different id.
    void scriptEveryDay(std::uint64_t residue) {
        for (std::uint64_t k = 0; k < 5000; ++k)
            random.script.push_back(residue + 10 * k);
    }
    Store& seed() {
        if (!store) open();
        Demo::seed(*store, clock, random, calendar);
        return *store;
    }
    int daysFromToday(Date date) const { return calendar.daysBetween(clock.now(), date); }
};

// The lists' names or the tasks' titles, in order.
template <class Item>
std::vector<std::string> texts(const std::vector<Item>& items, std::string Item::*text) {
    std::vector<std::string> result;
    for (const Item& item : items)
        result.push_back(item.*text);
    return result;
}

TEST(DemoTest, ANewFileGetsTheWholeDemoStateSavedAtOnceAndObserved) {
    DemoBed bed;
    Store& store = bed.open();
    int told = 0;
    const auto tell = [&] { ++told; };
    store.lists.observe(tell);
    store.tasks.observe(tell);
    store.sessions.observe(tell);
    store.bonsai.observe(tell);
    store.prefs.observe(tell);
    bed.seed();
    EXPECT_EQ(told, 5);

    EXPECT_EQ(texts(store.lists.get(), &TaskList::name),
              (std::vector<std::string>{"My Tasks", "Work", "Personal"}));
    EXPECT_EQ(store.tasks.get().size(), 12u);
    EXPECT_GE(store.sessions.get().size(), 2u);
    EXPECT_LE(store.sessions.get().size(), 902u);
    const BonsaiProgress& bonsai = store.bonsai.get();
    ASSERT_EQ(bonsai.garden.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(bonsai.garden[i].seed, 90001u + 6 * i);
        EXPECT_EQ(bonsai.garden[i].cubesGrown, 120 + 85 * i);
        EXPECT_EQ(bed.daysFromToday(bonsai.garden[i].plantedAt), -40 + 10 * i);
    }
    EXPECT_EQ(bonsai.seed, 90013u);
    ASSERT_EQ(bonsai.gains.size(), 1u);
    EXPECT_EQ(bonsai.gains[0].amount, 610);
    EXPECT_EQ(bed.daysFromToday(bonsai.gains[0].date), -2);
    EXPECT_EQ(bonsai.seedlingsUnlocked() - bonsai.seedlingsPlanted, 2); // two wait in the nursery
    EXPECT_TRUE(store.prefs.get().onboarded);

    // On disk at once, without waiting for the debounced save.
    ASSERT_EQ(bed.writes(), 1u);
    const auto disk = bed.onDisk();
    EXPECT_EQ(disk->tasks, store.tasks.get());
    EXPECT_EQ(disk->sessions, store.sessions.get());
    EXPECT_EQ(disk->bonsai, bonsai);
    EXPECT_TRUE(disk->prefs.onboarded);
}

TEST(DemoTest, DueDatesAndCreationAreLocalMidnightsAndTheFirstTaskHasItsSubtasks) {
    DemoBed bed;
    Store& store = bed.seed();
    const std::vector<TaskItem>& tasks = store.tasks.get();
    EXPECT_EQ(texts(subtasksOf(store.tasks.get(), tasks[0].id, false), &TaskItem::title),
              (std::vector<std::string>{"Benchmark chart", "Speaker notes"}));
    const auto all = subtasksOf(store.tasks.get(), tasks[0].id, true);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[2].title, "Export PDF");
    EXPECT_TRUE(all[2].completedAt);

    const std::map<std::string, int> dueInDays{{"Finish thesis slides", 0},
                                               {"Review backtest PR", 1},
                                               {"Call bank about card", -1},
                                               {"Read Kronos paper", 4},
                                               {"Ship v1 onboarding flow", 2}};
    for (const TaskItem& task : tasks) {
        SCOPED_TRACE(task.title);
        EXPECT_EQ(bed.daysFromToday(task.createdAt), -3);
        EXPECT_EQ(bed.calendar.startOfDay(task.createdAt), task.createdAt);
        ASSERT_EQ(task.due.has_value(), dueInDays.contains(task.title));
        if (!task.due) continue;
        EXPECT_EQ(bed.daysFromToday(*task.due), dueInDays.at(task.title));
        EXPECT_EQ(bed.calendar.startOfDay(*task.due), *task.due);
    }
    EXPECT_EQ(tasks[10].listID, store.lists.get()[1].id); // "Work"
    EXPECT_EQ(tasks[11].listID, store.lists.get()[2].id); // "Personal"
}

TEST(DemoTest, HistorySessionsSitOnTheHourThroughDaylightSavingChanges) {
    DemoBed busy;
    busy.scriptEveryDay(4);
    const std::vector<FocusSession>& sessions = busy.seed().sessions.get();
    ASSERT_EQ(sessions.size(), 902u);
    const std::vector<TaskItem>& tasks = busy.store->tasks.get();

    std::map<int, int> countByDay;
    for (std::size_t i = 0; i < 900; ++i) {
        const CivilTime local = busy.calendar.civil(sessions[i].start);
        const int day = busy.daysFromToday(sessions[i].start);
        const int earlier = countByDay[day]++;
        SCOPED_TRACE(testing::Message() << "day " << day << " hour " << local.hour);
        EXPECT_EQ(local.hour * 3600 + local.minute * 60 + local.second, (9 + earlier) * 3600);
        EXPECT_EQ(sessions[i].taskID, earlier == 0 ? tasks[0].id : tasks[4].id);
        EXPECT_TRUE(sessions[i].fullPomodoro);
    }
    // Five a day from yesterday, the change to summer time, back 180 calendar days.
    EXPECT_EQ(countByDay.size(), 180u);
    EXPECT_EQ(countByDay.begin()->first, -180);
    EXPECT_EQ(busy.daysFromToday(sessions.front().start), -1);
    // Today's two come last.
    const Date now = busy.clock.now();
    EXPECT_EQ(sessions[900].start, addingSeconds(now, -5400));
    EXPECT_EQ(sessions[900].mode, TimerMode::pomodoro);
    EXPECT_EQ(sessions[901].start, addingSeconds(now, -3000));
    EXPECT_EQ(sessions[901].mode, TimerMode::stopwatch);
    EXPECT_EQ(sessions[901].taskID, tasks[4].id);

    DemoBed idle;
    idle.scriptEveryDay(9);
    EXPECT_EQ(idle.seed().sessions.get().size(), 2u);
}

TEST(DemoTest, AStoreWithATaskOrASessionIsLeftAsItWas) {
    Snapshot withTask;
    withTask.lists = {TaskList{UUID::random(), "Inbox"}};
    withTask.tasks = {TaskItem{.id = UUID::random(), .listID = withTask.lists[0].id, .title = "mine"}};
    Snapshot withSession{.lists = withTask.lists,
                         .sessions = {FocusSession{.id = UUID::random(), .duration = 60}}};
    for (const Snapshot& document : {withTask, withSession}) {
        DemoBed bed;
        bed.putDocument(document);
        const std::string bytes = *bed.files.contents(bed.path);
        Store& store = bed.open();
        const BonsaiProgress bonsai = store.bonsai.get();
        bed.seed();
        EXPECT_EQ(store.lists.get(), document.lists);
        EXPECT_EQ(store.tasks.get(), document.tasks);
        EXPECT_EQ(store.sessions.get(), document.sessions);
        EXPECT_EQ(store.bonsai.get(), bonsai);
        EXPECT_FALSE(store.prefs.get().onboarded);
        bed.queue.advance(1);
        EXPECT_EQ(*bed.files.contents(bed.path), bytes);
    }
}

TEST(DemoTest, AnExistingCurrentTreeStaysCurrentBesideTheDemoGarden) {
    DemoBed bed;
    Snapshot document;
    document.lists = {TaskList{UUID::random(), "Inbox"}};
    document.bonsai = BonsaiProgress{.seed = 77,
                                     .gains = {BonsaiGain{bed.clock.now(), 30, GainReason::created}},
                                     .garden = {GardenTree{UUID::random(), 77, bed.clock.now(), 29}}};
    bed.putDocument(document);
    const BonsaiProgress& bonsai = bed.seed().bonsai.get();
    EXPECT_EQ(bonsai.seed, 77u);
    ASSERT_EQ(bonsai.garden.size(), 4u);
    EXPECT_EQ(bonsai.garden[0], document.bonsai->garden[0]);
    EXPECT_EQ(bonsai.garden[3].seed, 90013u);
    ASSERT_EQ(bonsai.gains.size(), 2u);
    EXPECT_EQ(bonsai.gains[1].amount, 610);
    EXPECT_EQ(bed.store->lists.get()[0].name, "Inbox"); // the first list is the inbox, whatever its name
    EXPECT_EQ(bed.store->tasks.get()[0].listID, document.lists[0].id);
}

} // namespace
} // namespace vesk
