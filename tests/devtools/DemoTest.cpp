#include "devtools/Demo.hpp"

#include "support/StoreTestBed.hpp"

#include <gtest/gtest.h>
#include <map>
#include <set>

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
    std::vector<std::string> titles(const std::vector<TaskItem>& tasks) const {
        std::vector<std::string> result;
        for (const TaskItem& task : tasks)
            result.push_back(task.title);
        return result;
    }
};

TEST(DemoTest, ANewFileGetsTheWholeDemoStateSavedAtOnceAndObserved) {
    DemoBed bed;
    Store& store = bed.open();
    int told = 0;
    store.lists.observe([&] { ++told; });
    store.tasks.observe([&] { ++told; });
    store.sessions.observe([&] { ++told; });
    store.bonsai.observe([&] { ++told; });
    store.prefs.observe([&] { ++told; });
    bed.seed();
    EXPECT_EQ(told, 5);
    EXPECT_EQ(bed.writes(), 1u); // no debounce

    std::vector<std::string> lists;
    for (const TaskList& list : store.lists.get())
        lists.push_back(list.name);
    EXPECT_EQ(lists, (std::vector<std::string>{"My Tasks", "Work", "Personal"}));
    ASSERT_EQ(store.tasks.get().size(), 12u);
    EXPECT_GE(store.sessions.get().size(), 2u);
    EXPECT_LE(store.sessions.get().size(), 902u);

    const BonsaiProgress& bonsai = store.bonsai.get();
    ASSERT_EQ(bonsai.garden.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(bonsai.garden[i].seed, 90001u + 6 * i);
        EXPECT_EQ(bonsai.garden[i].cubesGrown, 120 + 85 * static_cast<std::int64_t>(i));
        EXPECT_EQ(bed.daysFromToday(bonsai.garden[i].plantedAt), -40 + 10 * static_cast<int>(i));
    }
    EXPECT_EQ(bonsai.seed, 90013u);
    ASSERT_EQ(bonsai.gains.size(), 1u);
    EXPECT_EQ(bonsai.gains[0],
              (BonsaiGain{bed.calendar.addingDays(bed.calendar.startOfDay(bed.clock.now()), -2).value(), 610,
                          GainReason::completed}));
    EXPECT_EQ(bonsai.seedlingsUnlocked() - bonsai.seedlingsPlanted, 2); // two wait in the nursery
    EXPECT_TRUE(store.prefs.get().onboarded);

    const auto disk = bed.onDisk();
    ASSERT_TRUE(disk);
    EXPECT_EQ(disk->lists, store.lists.get());
    EXPECT_EQ(disk->tasks.size(), 12u);
    EXPECT_EQ(disk->sessions.size(), store.sessions.get().size());
    EXPECT_EQ(disk->bonsai->garden.size(), 3u);
    EXPECT_TRUE(disk->prefs.onboarded);
}

TEST(DemoTest, TasksCarryTheirListsDatesStarsAndSubtasks) {
    DemoBed bed;
    Store& store = bed.seed();
    const std::vector<TaskItem>& tasks = store.tasks.get();
    const UUID inbox = store.lists.get()[0].id;

    const TaskItem& slides = tasks[0];
    EXPECT_EQ(slides.notes, "Sections 3–4, add the LSH benchmark chart");
    EXPECT_TRUE(slides.starred);
    EXPECT_EQ(bed.titles(store.subtasks(slides.id, false)),
              (std::vector<std::string>{"Benchmark chart", "Speaker notes"}));
    const auto all = store.subtasks(slides.id, true);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[2].title, "Export PDF");
    EXPECT_EQ(all[2].completedAt, addingSeconds(bed.clock.now(), -3600));

    // Due days from today, by task; every due date and creation is a local midnight.
    const std::map<std::string, int> due{{"Finish thesis slides", 0},
                                         {"Review backtest PR", 1},
                                         {"Call bank about card", -1},
                                         {"Read Kronos paper", 4},
                                         {"Ship v1 onboarding flow", 2}};
    std::vector<std::string> done, starred;
    for (std::size_t i = 0; i < tasks.size(); ++i) {
        const TaskItem& task = tasks[i];
        SCOPED_TRACE(task.title);
        EXPECT_EQ(task.order, static_cast<double>(i + 1));
        EXPECT_EQ(bed.daysFromToday(task.createdAt), -3);
        EXPECT_EQ(bed.calendar.startOfDay(task.createdAt), task.createdAt);
        EXPECT_FALSE(task.rewarded);
        EXPECT_EQ(task.due.has_value(), due.contains(task.title));
        if (task.due) {
            EXPECT_EQ(bed.daysFromToday(*task.due), due.at(task.title));
            EXPECT_EQ(bed.calendar.startOfDay(*task.due), *task.due);
        }
        if (task.completedAt) done.push_back(task.title);
        if (task.starred) starred.push_back(task.title);
        EXPECT_EQ(task.listID == inbox, i < 10);
    }
    EXPECT_EQ(done, (std::vector<std::string>{"Export PDF", "Reply to Sefrin", "Gym"}));
    EXPECT_EQ(starred, (std::vector<std::string>{"Finish thesis slides", "Ship v1 onboarding flow"}));
    EXPECT_EQ(tasks[10].listID, store.lists.get()[1].id);
    EXPECT_EQ(tasks[11].listID, store.lists.get()[2].id);
    EXPECT_EQ(tasks[11].notes, "eggs, oats, coffee");
}

TEST(DemoTest, HistorySessionsSitOnTheHourThroughDaylightSavingChanges) {
    DemoBed busy;
    busy.scriptEveryDay(4);
    const std::vector<FocusSession>& sessions = busy.seed().sessions.get();
    ASSERT_EQ(sessions.size(), 902u);
    const std::vector<TaskItem>& tasks = busy.store->tasks.get();

    std::map<int, std::vector<int>> hoursByDay;
    for (std::size_t i = 0; i + 2 < sessions.size(); ++i) {
        const FocusSession& session = sessions[i];
        const CivilTime local = busy.calendar.civil(session.start);
        const int day = busy.daysFromToday(session.start);
        auto& hours = hoursByDay[day];
        SCOPED_TRACE(testing::Message() << "day " << day << " hour " << local.hour);
        EXPECT_EQ(local.minute * 60 + local.second, 0);
        EXPECT_EQ(local.hour, 9 + static_cast<int>(hours.size()));
        EXPECT_EQ(session.taskID, hours.empty() ? tasks[0].id : tasks[4].id);
        EXPECT_EQ(session.mode, TimerMode::pomodoro);
        EXPECT_EQ(session.duration, 1500);
        EXPECT_TRUE(session.fullPomodoro);
        EXPECT_FALSE(session.taskTitle);
        hours.push_back(local.hour);
    }
    // One day each, from yesterday (the change to summer time) back 180 days, newest first.
    ASSERT_EQ(hoursByDay.size(), 180u);
    EXPECT_EQ(hoursByDay.begin()->first, -180);
    EXPECT_EQ(hoursByDay.rbegin()->first, -1);
    EXPECT_EQ(busy.daysFromToday(sessions.front().start), -1);

    const Date now = busy.clock.now();
    EXPECT_EQ(
        sessions[900],
        (FocusSession{
            sessions[900].id, tasks[0].id, {}, TimerMode::pomodoro, addingSeconds(now, -5400), 1500, true}));
    EXPECT_EQ(sessions[901], (FocusSession{sessions[901].id,
                                           tasks[4].id,
                                           {},
                                           TimerMode::stopwatch,
                                           addingSeconds(now, -3000),
                                           1080,
                                           false}));
    std::set<UUID> ids;
    for (const FocusSession& session : sessions)
        ids.insert(session.id);
    EXPECT_EQ(ids.size(), sessions.size());

    DemoBed idle;
    idle.scriptEveryDay(9);
    EXPECT_EQ(idle.seed().sessions.get().size(), 2u);
}

TEST(DemoTest, AStoreWithATaskOrASessionIsLeftAsItWas) {
    Snapshot withTask;
    withTask.lists = {TaskList{UUID::random(), "Inbox"}};
    withTask.tasks = {TaskItem{.id = UUID::random(), .listID = withTask.lists[0].id, .title = "mine"}};
    Snapshot withSession;
    withSession.lists = withTask.lists;
    withSession.sessions = {FocusSession{.id = UUID::random(), .duration = 60}};
    for (const Snapshot& document : {withTask, withSession}) {
        DemoBed bed;
        bed.putDocument(document);
        const std::string bytes = *bed.files.contents(bed.url);
        Store& store = bed.open();
        const BonsaiProgress bonsai = store.bonsai.get();
        const Prefs prefs = store.prefs.get();
        bed.seed();
        EXPECT_EQ(store.lists.get(), document.lists);
        EXPECT_EQ(store.tasks.get(), document.tasks);
        EXPECT_EQ(store.sessions.get(), document.sessions);
        EXPECT_EQ(store.bonsai.get(), bonsai);
        EXPECT_EQ(store.prefs.get(), prefs);
        bed.queue.advance(1);
        EXPECT_EQ(*bed.files.contents(bed.url), bytes);
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
