// The statistics screen recomputes every figure on each render: these measure one call of each
// over a long history (20,000 sessions over about three years, 5,000 tasks).
#include "core/stats/Statistics.hpp"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

using namespace vesk;

struct History {
    std::vector<FocusSession> sessions;
    std::vector<TaskItem> tasks;
    Date now;
};

const History& history() {
    static const History built = [] {
        ::setenv("TZ", "Europe/Berlin", 1);
        ::tzset();
        History h;
        h.now = dateFromUnixSeconds(1'796'000'000); // December 2026
        std::uint64_t state = 42;
        const auto next = [&state] { // SplitMix64: the same history on every run
            std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            return z ^ (z >> 31);
        };
        for (int i = 0; i < 5000; ++i) {
            TaskItem task;
            UUID::Bytes bytes{};
            for (auto& byte : bytes)
                byte = static_cast<std::uint8_t>(next());
            task.id = UUID(bytes);
            task.title = "Task " + std::to_string(i);
            if (i % 2 == 0)
                task.completedAt = addingSeconds(h.now, -static_cast<double>(next() % 94'000'000));
            h.tasks.push_back(task);
        }
        const double span = 3 * 365 * 86400.0;
        for (int i = 0; i < 20000; ++i) {
            FocusSession& session = h.sessions.emplace_back();
            session.start = addingSeconds(h.now, -span + span * i / 20000.0);
            session.duration = 1500;
            session.fullPomodoro = i % 3 != 0;
            if (i % 4 != 0) session.taskID = h.tasks[next() % h.tasks.size()].id;
        }
        return h;
    }();
    return built;
}

Statistics statistics(const Calendar& calendar) {
    const History& h = history();
    TimerState timer;
    timer.segmentStart = h.now;
    return Statistics({h.sessions, h.tasks, timer, h.now, h.now, 120}, calendar);
}

// One call of a single statistic, as the focus and statistics screens make it.
template <auto compute> void BM_Statistic(benchmark::State& state) {
    const Calendar calendar(2);
    for (auto _ : state)
        benchmark::DoNotOptimize(compute(statistics(calendar)));
}
BENCHMARK(BM_Statistic<[](const Statistics& s) { return s.focusByDay(); }>)
    ->Name("FocusByDay")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Statistic<[](const Statistics& s) { return s.lastDays(7); }>)
    ->Name("LastDays")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Statistic<[](const Statistics& s) { return s.streak(); }>)
    ->Name("Streak")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Statistic<[](const Statistics& s) { return s.heatGrid(26); }>)
    ->Name("HeatGrid")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Statistic<[](const Statistics& s) { return s.topTasks(7, 3); }>)
    ->Name("TopTasks")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Statistic<[](const Statistics& s) { return s.todayPomodoros(); }>)
    ->Name("TodayPomodoros")
    ->Unit(benchmark::kMillisecond);

// Everything one render of the statistics screen asks for.
void BM_StatisticsScreen(benchmark::State& state) {
    const Calendar calendar(2);
    for (auto _ : state) {
        const Statistics stats = statistics(calendar);
        benchmark::DoNotOptimize(stats.lastDays(7));
        benchmark::DoNotOptimize(stats.streak());
        benchmark::DoNotOptimize(stats.heatGrid(26));
        benchmark::DoNotOptimize(stats.topTasks(7, 3));
    }
}
BENCHMARK(BM_StatisticsScreen)->Name("StatisticsScreen")->Unit(benchmark::kMillisecond);

} // namespace
