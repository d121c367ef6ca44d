#include "devtools/Demo.hpp"

#include "core/runtime/Calendar.hpp"
#include "core/runtime/Clock.hpp"
#include "core/runtime/RandomSource.hpp"
#include "core/store/Store.hpp"
#include "devtools/SessionHistory.hpp"

#include <array>
#include <optional>

namespace vesk::Demo {

namespace {

enum class DemoList { inbox, work, personal };

struct DemoTask {
    const char* title;
    DemoList list;
    std::optional<std::size_t> parent; // index into demoTasks
    const char* notes;
    std::optional<int> dueInDays;
    bool starred;
    std::optional<double> completedSecondsAgo;
};

// The inbox shows a starred task due today with two open subtasks and one done, one due
// tomorrow, one overdue, one in four days, one undated and three done in the last six hours.
// A task's order is its place here, counted from 1.
const std::array<DemoTask, 12> demoTasks{{
    {"Finish thesis slides", DemoList::inbox, {}, "Sections 3–4, add the LSH benchmark chart", 0, true, {}},
    {"Benchmark chart", DemoList::inbox, 0, "", {}, false, {}},
    {"Speaker notes", DemoList::inbox, 0, "", {}, false, {}},
    {"Export PDF", DemoList::inbox, 0, "", {}, false, 3600},
    {"Review backtest PR", DemoList::inbox, {}, "Check fee model and TWAP resolution", 1, false, {}},
    {"Call bank about card", DemoList::inbox, {}, "", -1, false, {}},
    {"Read Kronos paper", DemoList::inbox, {}, "", 4, false, {}},
    {"Book train to Siena", DemoList::inbox, {}, "", {}, false, {}},
    {"Reply to Sefrin", DemoList::inbox, {}, "", {}, false, 7200},
    {"Gym", DemoList::inbox, {}, "", {}, false, 20000},
    {"Ship v1 onboarding flow", DemoList::work, {}, "", 2, true, {}},
    {"Groceries", DemoList::personal, {}, "eggs, oats, coffee", {}, false, {}},
}};

// The history's sessions go to the first task of a day and to the fifth for the rest.
constexpr std::size_t firstSessionTask = 0;
constexpr std::size_t laterSessionTask = 4;
constexpr int historyDays = 180;

struct DemoTree {
    std::uint64_t seed;
    int plantedDaysAgo;
    std::int64_t cubesGrown;
};

const std::array<DemoTree, 3> demoGarden{{{90001, 40, 120}, {90007, 30, 205}, {90013, 20, 290}}};
constexpr std::uint64_t demoCurrentSeed = 90013;
constexpr std::int64_t demoGainCubes = 610;

} // namespace

void seed(Store& store, const Clock& clock, RandomSource& random, const Calendar& calendar) {
    // Real data is never mixed with the demo. The store always keeps a list, the demo's inbox.
    if (!store.tasks.get().empty() || !store.sessions.get().empty() || store.lists.get().empty()) return;

    const Date now = clock.now();
    const Date today = calendar.startOfDay(now);
    // Midnight `days` calendar days from today, however long the days in between were.
    const auto day = [&](int days) { return calendar.addingDays(today, days).value_or(today); };

    const UUID inbox = store.lists.get().front().id;
    const TaskList work{UUID::random(random), "Work"};
    const TaskList personal{UUID::random(random), "Personal"};
    store.lists.update([&](std::vector<TaskList>& lists) {
        lists.push_back(work);
        lists.push_back(personal);
    });

    std::array<UUID, demoTasks.size()> taskIDs;
    for (UUID& id : taskIDs)
        id = UUID::random(random);
    store.tasks.update([&](std::vector<TaskItem>& tasks) {
        for (std::size_t i = 0; i < demoTasks.size(); ++i) {
            const DemoTask& demo = demoTasks[i];
            TaskItem task;
            task.id = taskIDs[i];
            task.listID = demo.list == DemoList::work       ? work.id
                          : demo.list == DemoList::personal ? personal.id
                                                            : inbox;
            if (demo.parent) task.parentID = taskIDs[*demo.parent];
            task.title = demo.title;
            task.notes = demo.notes;
            if (demo.dueInDays) task.due = day(*demo.dueInDays);
            task.starred = demo.starred;
            if (demo.completedSecondsAgo) task.completedAt = addingSeconds(now, -*demo.completedSecondsAgo);
            task.createdAt = day(-3);
            task.order = static_cast<double>(i + 1);
            tasks.push_back(std::move(task));
        }
    });

    std::vector<FocusSession> sessions = pomodoroHistory(
        random, calendar, today, historyDays, taskIDs[firstSessionTask], taskIDs[laterSessionTask]);
    sessions.push_back({UUID::random(random),
                        taskIDs[firstSessionTask],
                        {},
                        TimerMode::pomodoro,
                        addingSeconds(now, -5400),
                        pomodoroSeconds,
                        true});
    sessions.push_back({UUID::random(random),
                        taskIDs[laterSessionTask],
                        {},
                        TimerMode::stopwatch,
                        addingSeconds(now, -3000),
                        1080,
                        false});
    store.sessions.set(std::move(sessions));

    store.bonsai.update([&](BonsaiProgress& bonsai) {
        for (const DemoTree& tree : demoGarden)
            bonsai.garden.push_back(
                {UUID::random(random), tree.seed, day(-tree.plantedDaysAgo), tree.cubesGrown});
        if (bonsai.seed == 0) bonsai.seed = demoCurrentSeed;
        bonsai.gains.push_back({day(-2), demoGainCubes, GainReason::completed});
        // The first tree of a garden is free; the other two took unlocked seedlings.
        bonsai.seedlingsPlanted = 2;
    });
    store.prefs.update([](Prefs& prefs) { prefs.onboarded = true; });
    store.saveNow();
}

} // namespace vesk::Demo
