// What one debounced save and the re-read its folder event triggers cost on a large store: the
// main thread reads the file to compare it, encodes the whole document and hands it over; the
// writer's thread writes it atomically (with both fsyncs); the folder event's check reads it back.
#include "core/runtime/SerialFileWriter.hpp"
#include "core/store/Store.hpp"
#include "platform/PosixFileSystem.hpp"
#include "support/FakeFileReadWatcher.hpp"
#include "support/FakeFolderWatcher.hpp"
#include "support/FakeMainQueue.hpp"
#include "support/FakeRandom.hpp"
#include "support/VirtualClock.hpp"

#include <benchmark/benchmark.h>
#include <cstdlib>

namespace vesk {
namespace {

struct LargeStore {
    explicit LargeStore(int taskCount) {
        char pattern[] = "/tmp/vesk-bench-XXXXXX";
        folder = ::mkdtemp(pattern);
        store = std::make_unique<Store>(
            folder / "data.json", StoreEnvironment{clock, queue, files, writer, watcher, reads, random, calendar});
        std::vector<TaskItem> tasks;
        std::vector<FocusSession> sessions;
        for (int i = 0; i < taskCount; ++i) {
            tasks.push_back(TaskItem{.id = UUID::random(random),
                                     .listID = store->lists.get()[0].id,
                                     .title = "Task number " + std::to_string(i),
                                     .notes = "Some notes about this task",
                                     .createdAt = clock.now(),
                                     .order = static_cast<double>(i)});
            sessions.push_back(FocusSession{UUID::random(random), tasks.back().id, tasks.back().title,
                                            TimerMode::pomodoro, clock.now(), 1500, true});
        }
        store->seed([&](Snapshot& data) {
            data.tasks = std::move(tasks);
            data.sessions = std::move(sessions);
        });
    }
    ~LargeStore() {
        store.reset();
        writer.wait();
        std::filesystem::remove_all(folder);
    }

    std::filesystem::path folder;
    test::VirtualClock clock;
    test::FakeMainQueue queue{clock};
    PosixFileSystem files;
    SerialFileWriter writer{files};
    test::FakeFolderWatcher watcher;
    test::FakeFileReadWatcher reads;
    test::FakeRandom random;
    Calendar calendar{1};
    std::unique_ptr<Store> store;
};

// The time the main thread spends in a save: what the user could feel as a stutter.
void BM_SaveNowMainThread(benchmark::State& state) {
    LargeStore large(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        large.store->saveNow();
        state.PauseTiming();
        large.writer.wait();
        state.ResumeTiming();
    }
    state.counters["bytes"] = static_cast<double>(large.store->lastOnDisk()->size());
}
BENCHMARK(BM_SaveNowMainThread)->Arg(100)->Arg(2000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

// The whole save until the file is on the disk.
void BM_SaveNow(benchmark::State& state) {
    LargeStore large(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        large.store->saveNow();
        large.writer.wait();
    }
    state.counters["bytes"] = static_cast<double>(large.store->lastOnDisk()->size());
}
BENCHMARK(BM_SaveNow)->Arg(100)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The check after the store's own write: one read and one byte comparison, no decoding.
void BM_OwnWriteCheck(benchmark::State& state) {
    LargeStore large(static_cast<int>(state.range(0)));
    large.store->saveNow();
    large.writer.wait();
    for (auto _ : state) {
        large.watcher.fire();
        large.queue.advance(0.3);
    }
}
BENCHMARK(BM_OwnWriteCheck)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vesk
