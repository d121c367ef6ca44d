// The statistics screen derives all its figures again whenever sessions, tasks or the timer
// change (every half second while a timer runs): these measure that over a long history of
// 20,000 sessions and 5,000 tasks, with the store's part and the screen's own part apart.
#include "support/StoreTestBed.hpp"
#include "tabs/stats/StatsFigures.hpp"

#include <benchmark/benchmark.h>
#include <random>

namespace {

using namespace vesk;

// Two years of sessions up to the test bed's clock, a quarter without a task.
test::StoreTestBed& history() {
    static test::StoreTestBed bed;
    static const bool filled = [] {
        Store& store = bed.open();
        std::mt19937_64 random(7);
        std::vector<TaskItem> tasks(5000);
        for (std::size_t i = 0; i < tasks.size(); ++i) {
            tasks[i].id = UUID::random(bed.random);
            tasks[i].title = "Task " + std::to_string(i);
            if (i % 2 == 1)
                tasks[i].completedAt =
                    addingSeconds(bed.clock.now(), -static_cast<double>(random() % 63'000'000));
        }
        std::vector<FocusSession> sessions(20000);
        for (std::size_t i = 0; i < sessions.size(); ++i) {
            sessions[i].id = UUID::random(bed.random);
            sessions[i].start =
                addingSeconds(bed.clock.now(), -3150.0 * static_cast<double>(sessions.size() - i));
            sessions[i].duration = static_cast<double>(300 + random() % 2400);
            sessions[i].fullPomodoro = i % 3 == 0;
            if (i % 4 != 0) sessions[i].taskID = tasks[random() % tasks.size()].id;
        }
        store.seed([&](Snapshot& data) {
            data.tasks = std::move(tasks);
            data.sessions = std::move(sessions);
        });
        return true;
    }();
    (void)filled;
    return bed;
}

// Everything one refresh of the screen computes: the store's statistics and the screen's texts,
// bars, heat steps and shares.
void BM_StatsScreenFigures(benchmark::State& state) {
    test::StoreTestBed& bed = history();
    for (auto _ : state)
        benchmark::DoNotOptimize(statsFigures(*bed.store, bed.calendar));
}
BENCHMARK(BM_StatsScreenFigures)->Name("StatsScreen/Figures")->Unit(benchmark::kMillisecond);

// The screen's own part, from statistics already computed.
void BM_StatsScreenOwnWork(benchmark::State& state) {
    test::StoreTestBed& bed = history();
    const Statistics stats = bed.store->statistics();
    const std::vector<DayStat> days = stats.lastDays(7);
    const std::vector<HeatColumn> grid = stats.heatGrid(26);
    const std::vector<TaskTime> top = stats.topTasks(7, 3);
    const int pomodoros = stats.todayPomodoros();
    const int streak = stats.streak();
    for (auto _ : state) {
        benchmark::DoNotOptimize(todayTiles(days.back().focus, pomodoros, days.back().done, streak));
        benchmark::DoNotOptimize(weekChart(days, bed.calendar));
        benchmark::DoNotOptimize(heatLevels(grid));
        benchmark::DoNotOptimize(topRows(top));
    }
}
BENCHMARK(BM_StatsScreenOwnWork)->Name("StatsScreen/OwnWork")->Unit(benchmark::kMicrosecond);

} // namespace
