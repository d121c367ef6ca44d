#include "devtools/VideoScene.hpp"

#include "core/model/Saturating.hpp"
#include "core/runtime/Calendar.hpp"
#include "core/runtime/Clock.hpp"
#include "core/runtime/RandomSource.hpp"
#include "core/store/Store.hpp"
#include "devtools/SeedTasks.hpp"
#include "devtools/SessionHistory.hpp"
#include "devtools/WordValues.hpp"

#include <algorithm>
#include <array>

namespace vesk::VideoTools {
namespace {

const std::array<SeedTask, 9> sceneTasks{{
    {"Finish pitch deck", "Market slide + a demo GIF", 0, {}, 0, true, {}},
    {"Market size slide", "", 0, 0, {}, false, {}},
    {"Record demo GIF", "", 0, 0, {}, false, {}},
    {"Reply to Greta", "Re: Friday offsite", 0, {}, 0, false, {}},
    {"Gym \u2014 leg day", "", 0, {}, {}, false, {}},
    {"Read 20 pages", "", 0, {}, {}, false, {}},
    {"Book flights to Tokyo", "", 0, {}, 5, false, {}},
    {"Morning walk", "", 0, {}, {}, false, 28800},
    {"Water the plants", "", 0, {}, {}, false, 32400},
}};

constexpr int historyDays = 150;

} // namespace

std::uint64_t videoTree(const EnvironmentLookup& environment) {
    const auto text = environment("VESK_VIDEO_TREE");
    return text ? WordValues::unsignedInteger(*text).value_or(defaultVideoTree) : defaultVideoTree;
}

std::int64_t videoIteration(const EnvironmentLookup& environment) {
    const auto text = environment("VESK_VIDEO_ITER");
    const std::int64_t value =
        text ? WordValues::integer(*text).value_or(defaultVideoIteration) : defaultVideoIteration;
    // A tree shows at least the cube it starts from; this also keeps iteration − 1 in range.
    return std::max<std::int64_t>(value, 1);
}

void seed(Store& store, std::uint64_t tree, std::int64_t iteration, const Clock& clock, RandomSource& random,
          const Calendar& calendar) {
    if (store.lists.get().empty()) return;
    iteration = std::max<std::int64_t>(iteration, 1);
    const Date now = clock.now();
    const Date today = calendar.startOfDay(now);
    const auto day = [&](int days) { return calendar.addingDays(today, days).value_or(today); };

    const std::array<UUID, 1> lists{store.lists.get().front().id};
    const std::vector<TaskItem> tasks = seedTasks(
        sceneTasks, lists, {.now = now, .day = day, .createdDaysAgo = 2, .doneRewarded = true}, random);
    const std::array<GardenTree, 3> garden{{
        {UUID::random(random), tree, day(-60), iteration - 1},
        {UUID::random(random), tree + 7, day(-30), 419},
        {UUID::random(random), tree + 19, day(-18), 179},
    }};
    std::int64_t grown = 0;
    for (const GardenTree& planted : garden)
        grown = saturatingAdd(grown, planted.cubesGrown);
    std::vector<FocusSession> sessions =
        pomodoroHistory(random, calendar, today, historyDays, tasks.front().id, {});
    sessions.push_back({UUID::random(random),
                        tasks.front().id,
                        {},
                        TimerMode::pomodoro,
                        addingSeconds(now, -1600),
                        pomodoroSeconds,
                        true});

    store.seed([&](Snapshot& data) {
        data.tasks = tasks;
        // Together the gains are exactly the garden's cubes.
        data.bonsai = BonsaiProgress{.seed = tree,
                                     .gains = {{day(-1), grown - 9, GainReason::completed},
                                               {addingSeconds(now, -5000), 9, GainReason::completed}},
                                     .garden = {garden.begin(), garden.end()},
                                     .seedlingsPlanted = 2};
        data.sessions = std::move(sessions);
        data.prefs.onboarded = true;
        data.prefs.growthReveal = true;
        data.prefs.sound = false;
        data.prefs.focusMinutes = 25;
        data.timer = TimerState{};
    });
}

} // namespace vesk::VideoTools
