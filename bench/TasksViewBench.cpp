// The task list with many open tasks: building the whole list and laying it out when the
// tab opens, and what one change of the model costs with every row on the list.
#include "core/model/TaskViews.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/state/TarnelUI.hpp"
#include "support/StoreTestBed.hpp"
#include "tabs/tasks/TasksView.hpp"

#include <QApplication>
#include <QLayout>
#include <benchmark/benchmark.h>

namespace vesk {
namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "bench_tasks_view";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: at exit Qt's own statics go first, and destroying it after them crashes.
    static auto* app = new QApplication(argc, argv);
    return *app;
}

// A list as people keep them: some tasks due, some starred, some with subtasks and notes,
// and focus logged on many.
struct FullList : test::StoreTestBed {
    explicit FullList(int openTasks) {
        application();
        Store& s = open();
        std::vector<TaskItem> tasks;
        std::vector<FocusSession> sessions;
        const UUID list = s.lists.get()[0].id;
        for (int i = 0; i < openTasks; ++i) {
            TaskItem task{.id = UUID::random(random),
                          .listID = list,
                          .title = "Task number " + std::to_string(i) + " with a longer title than most",
                          .notes = i % 3 == 0 ? "Some notes about this task" : "",
                          .starred = i % 7 == 0,
                          .createdAt = clock.now(),
                          .order = static_cast<double>(i)};
            if (i % 5 == 0) task.due = addingSeconds(clock.now(), 86400.0 * (i % 9 - 3));
            tasks.push_back(task);
            if (i % 4 == 0)
                sessions.push_back(FocusSession{UUID::random(random), task.id, task.title,
                                                TimerMode::pomodoro, clock.now(), 1500, true});
            if (i % 10 == 0)
                for (int j = 0; j < 2; ++j)
                    tasks.push_back(TaskItem{.id = UUID::random(random),
                                             .listID = list,
                                             .parentID = task.id,
                                             .title = "Subtask " + std::to_string(j),
                                             .createdAt = clock.now(),
                                             .order = static_cast<double>(j)});
        }
        s.seed([&](Snapshot& data) {
            data.tasks = std::move(tasks);
            data.sessions = std::move(sessions);
        });
        ui = std::make_unique<TarnelUI>(s, queue);
    }
    ~FullList() { ui.reset(); }

    std::unique_ptr<TarnelUI> ui;
};

// What the event loop would do next: lay out, polish, and so on.
void layOut(QWidget& view) {
    view.layout()->activate();
    QApplication::sendPostedEvents();
}

void BM_BuildAndLayOutTheList(benchmark::State& state) {
    FullList list(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TasksView view(*list.store, *list.ui,
                       ViewServices{list.clock, list.calendar, list.queue, list.random});
        view.resize(378, 420);
        view.show();
        layOut(view);
        benchmark::DoNotOptimize(view.content().groups.size());
    }
}
BENCHMARK(BM_BuildAndLayOutTheList)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// One star toggled among 1,000 rows: the content is worked out again and one row changes.
void BM_OneModelChange(benchmark::State& state) {
    FullList list(static_cast<int>(state.range(0)));
    TasksView view(*list.store, *list.ui, ViewServices{list.clock, list.calendar, list.queue, list.random});
    view.resize(378, 420);
    view.show();
    layOut(view);
    const UUID id = visibleOpenTasks(list.store->tasks.get(), list.store->lists.get(),
                                     list.store->prefs.get())[state.range(0) / 2]
                        .id;
    for (auto _ : state) {
        withAnimation(Animation::tarnelFast, [&] { list.store->toggleStar(id); });
        layOut(view);
    }
}
BENCHMARK(BM_OneModelChange)->Arg(1000)->Unit(benchmark::kMillisecond);

// A tick of the running timer's clock, which changes no row.
void BM_TimerTick(benchmark::State& state) {
    FullList list(static_cast<int>(state.range(0)));
    list.store->start(TimerMode::stopwatch, std::nullopt);
    list.store->saveNow();
    TasksView view(*list.store, *list.ui, ViewServices{list.clock, list.calendar, list.queue, list.random});
    view.resize(378, 420);
    view.show();
    layOut(view);
    for (auto _ : state)
        list.queue.advance(0.5);
}
BENCHMARK(BM_TimerTick)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vesk
