#include "devtools/Demo.hpp"

#include "core/runtime/Calendar.hpp"
#include "core/runtime/Clock.hpp"
#include "core/runtime/RandomSource.hpp"
#include "core/store/Store.hpp"
#include "devtools/SeedTasks.hpp"
#include "devtools/SessionHistory.hpp"

#include <array>

namespace vesk::Demo {

namespace {

// The lists the tasks go to.
constexpr std::size_t inbox = 0, work = 1, personal = 2;

// The inbox shows a starred task due today with two open subtasks and one done, one due
// tomorrow, one overdue, one in four days, one undated and three done in the last six hours.
// A task's order is its place here, counted from 1.
const std::array<SeedTask, 12> demoTasks{{
    {"Finish thesis slides", "Sections 3–4, add the LSH benchmark chart", inbox, {}, 0, true, {}},
    {"Benchmark chart", "", inbox, 0, {}, false, {}},
    {"Speaker notes", "", inbox, 0, {}, false, {}},
    {"Export PDF", "", inbox, 0, {}, false, 3600},
    {"Review backtest PR", "Check fee model and TWAP resolution", inbox, {}, 1, false, {}},
    {"Call bank about card", "", inbox, {}, -1, false, {}},
    {"Read Kronos paper", "", inbox, {}, 4, false, {}},
    {"Book train to Siena", "", inbox, {}, {}, false, {}},
    {"Reply to Sefrin", "", inbox, {}, {}, false, 7200},
    {"Gym", "", inbox, {}, {}, false, 20000},
    {"Ship v1 onboarding flow", "", work, {}, 2, true, {}},
    {"Groceries", "eggs, oats, coffee", personal, {}, {}, false, {}},
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

    const TaskList workList{UUID::random(random), "Work"};
    const TaskList personalList{UUID::random(random), "Personal"};
    const std::array<UUID, 3> lists{store.lists.get().front().id, workList.id, personalList.id};
    const std::vector<TaskItem> tasks =
        seedTasks(demoTasks, lists, {.now = now, .day = day, .createdDaysAgo = 3}, random);

    std::vector<FocusSession> sessions = pomodoroHistory(
        random, calendar, today, historyDays, tasks[firstSessionTask].id, tasks[laterSessionTask].id);
    sessions.push_back({UUID::random(random),
                        tasks[firstSessionTask].id,
                        {},
                        TimerMode::pomodoro,
                        addingSeconds(now, -5400),
                        pomodoroSeconds,
                        true});
    sessions.push_back({UUID::random(random),
                        tasks[laterSessionTask].id,
                        {},
                        TimerMode::stopwatch,
                        addingSeconds(now, -3000),
                        1080,
                        false});

    store.seed([&](Snapshot& data) {
        data.lists.insert(data.lists.end(), {workList, personalList});
        data.tasks = tasks;
        data.sessions = std::move(sessions);
        BonsaiProgress& bonsai = *data.bonsai;
        for (const DemoTree& tree : demoGarden)
            bonsai.garden.push_back(
                {UUID::random(random), tree.seed, day(-tree.plantedDaysAgo), tree.cubesGrown});
        if (bonsai.seed == 0) bonsai.seed = demoCurrentSeed;
        bonsai.gains.push_back({day(-2), demoGainCubes, GainReason::completed});
        // The first tree of a garden is free; the other two took unlocked seedlings.
        bonsai.seedlingsPlanted = 2;
        data.prefs.onboarded = true;
    });
    store.saveNow();
}

} // namespace vesk::Demo
