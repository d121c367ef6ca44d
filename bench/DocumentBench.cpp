#include "core/model/DocumentCoding.hpp"

#include <benchmark/benchmark.h>

namespace vesk {
namespace {

// A heavy user's document: 10,000 tasks and 10,000 logged sessions.
Snapshot largeSnapshot() {
    const Date start = dateFromUnixSeconds(1'773'057'600);
    Snapshot snapshot;
    const UUID list = UUID::random();
    snapshot.lists.push_back({list, "Inbox"});
    for (int i = 0; i < 10'000; ++i) {
        TaskItem task{.id = UUID::random(),
                      .listID = list,
                      .title = "Task number " + std::to_string(i),
                      .notes = i % 4 == 0 ? "Some notes about the task, written by hand." : "",
                      .starred = i % 7 == 0,
                      .createdAt = start + std::chrono::minutes(i),
                      .order = i * 0.5,
                      .rewarded = i % 3 == 0};
        if (i % 3 == 0) task.completedAt = start + std::chrono::minutes(i + 30);
        if (i % 5 == 0) task.due = start + std::chrono::hours(24 * (i % 30));
        if (i % 10 != 0) task.parentID = snapshot.tasks[static_cast<std::size_t>(i - i % 10)].id;
        snapshot.tasks.push_back(task);
    }
    for (int i = 0; i < 10'000; ++i)
        snapshot.sessions.push_back({.id = UUID::random(),
                                     .taskID = snapshot.tasks[static_cast<std::size_t>(i)].id,
                                     .taskTitle = snapshot.tasks[static_cast<std::size_t>(i)].title,
                                     .mode = i % 2 ? TimerMode::stopwatch : TimerMode::pomodoro,
                                     .start = start + std::chrono::minutes(30 * i),
                                     .duration = 1500,
                                     .fullPomodoro = i % 2 == 0});
    snapshot.bonsai = BonsaiProgress{};
    return snapshot;
}

void BM_EncodeDocument(benchmark::State& state) {
    const Snapshot snapshot = largeSnapshot();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string encoded = encodeSnapshot(snapshot);
        bytes = encoded.size();
        benchmark::DoNotOptimize(encoded.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["documentBytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_EncodeDocument)->Unit(benchmark::kMillisecond);

// Reads the large document with `decode` in every iteration.
template <class Decode> void decodeLargeDocument(benchmark::State& state, Decode decode) {
    const std::string encoded = encodeSnapshot(largeSnapshot());
    const Date now = dateFromUnixSeconds(1'773'057'600);
    for (auto _ : state) {
        auto result = decode(encoded, now);
        if (!result) state.SkipWithError("the document did not read back");
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * encoded.size()));
}

// What start-up reads.
void BM_DecodeDocument(benchmark::State& state) {
    decodeLargeDocument(state, [](const std::string& bytes, Date now) { return decodeSnapshot(bytes, now); });
}
BENCHMARK(BM_DecodeDocument)->Unit(benchmark::kMillisecond);

// What merging an outside edit of the same document decodes on the main thread.
void BM_DecodeOutsideEdit(benchmark::State& state) {
    decodeLargeDocument(state,
                        [](const std::string& bytes, Date now) { return decodeListsAndTasks(bytes, now); });
}
BENCHMARK(BM_DecodeOutsideEdit)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vesk
