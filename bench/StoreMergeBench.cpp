// What merging an outside edit of a large data file costs: the check's read and comparison,
// decoding the lists and tasks, the repairs and the bookkeeping of rewards. The save that
// follows is measured by the save benchmark and kept out of the timing here.
#include "core/model/DocumentCoding.hpp"
#include "support/StoreTestBed.hpp"

#include <benchmark/benchmark.h>
#include <cmath>

namespace vesk {
namespace {

// A document of `count` tasks in three lists, every fourth a subtask of the task before it;
// with `withoutOrders` every tenth task has no order, as when added by hand.
std::string document(int count, bool withoutOrders, const std::string& firstTitle) {
    test::FakeRandom random;
    Snapshot snapshot;
    for (int i = 0; i < 3; ++i)
        snapshot.lists.push_back(TaskList{UUID::random(random), "List " + std::to_string(i)});
    for (int i = 0; i < count; ++i) {
        TaskItem item{.id = UUID::random(random),
                      .listID = snapshot.lists[static_cast<std::size_t>(i % 3)].id,
                      .title = i == 0 ? firstTitle : "Task number " + std::to_string(i),
                      .createdAt = test::VirtualClock::defaultStart(),
                      .order = static_cast<double>(i)};
        if (i % 4 == 3) {
            item.parentID = snapshot.tasks.back().id;
            item.listID = snapshot.tasks.back().listID;
        }
        if (i % 5 == 0) item.completedAt = test::VirtualClock::defaultStart();
        snapshot.tasks.push_back(std::move(item));
    }
    std::string bytes = encodeSnapshot(snapshot);
    if (!withoutOrders) return bytes;
    // The encoder always writes an order; rename every tenth key, which the reader ignores.
    int seen = 0;
    for (std::size_t at = 0; (at = bytes.find("\"order\":", at)) != std::string::npos; at += 9)
        if (seen++ % 10 == 0) bytes.replace(at, 7, "\"orderless\"");
    return bytes;
}

void BM_MergeOutsideEdit(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const bool withoutOrders = state.range(1) != 0;
    const std::string edits[] = {document(count, withoutOrders, "First"),
                                 document(count, withoutOrders, "Renamed")};

    test::StoreTestBed bed;
    bed.files.put(bed.path, edits[0]);
    Store& store = bed.open();

    std::size_t next = 1;
    for (auto _ : state) {
        bed.files.put(bed.path, edits[next]);
        bed.watcher.fire();
        bed.queue.advance(0.3);
        state.PauseTiming();
        bed.queue.advance(0.4); // the save the merge scheduled
        next = 1 - next;
        state.ResumeTiming();
    }
    state.counters["tasks"] = static_cast<double>(store.tasks.get().size());
    state.counters["bytes"] = static_cast<double>(edits[0].size());
}
BENCHMARK(BM_MergeOutsideEdit)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vesk
