// The garden opened on a fresh thumbnail cache: how long until every tree card shows its
// picture (and the nursery's too), and the longest the main thread went without running its
// event loop meanwhile. Thumbnails render on their own thread; the main thread only takes the
// results and paints. Offscreen Qt, EGL surfaceless (llvmpipe where there is no GPU).
#include "garden/garden/GardenView.hpp"
#include "garden/garden/NurserySection.hpp"
#include "garden/garden/TreeCard.hpp"
#include "platform/QtMainQueue.hpp"
#include "render/thumbs/BonsaiThumbnails.hpp"
#include "shell/state/TarnelUI.hpp"
#include "support/StoreTestBed.hpp"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

using namespace vesk;

QApplication& application() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("EGL_PLATFORM", "surfaceless", 0);
    static int argc = 1;
    static char name[] = "bench_garden_thumbnails";
    static char* argv[] = {name, nullptr};
    // Never destroyed: at exit Qt's own statics go first, and destroying it after them crashes.
    static auto* app = new QApplication(argc, argv);
    return *app;
}

// A garden like one after a few months of use.
constexpr std::int64_t grown[] = {1500, 620, 240, 120, 90, 40};

bool allShown(const std::vector<TreeCard*>& cards) {
    return std::all_of(cards.begin(), cards.end(),
                       [](const TreeCard* card) { return card->showsThumbnail(); });
}

// The first text and symbols ever painted load their fonts; that belongs to the program's
// start, not to opening the garden.
void paintOnce() {
    test::StoreTestBed bed;
    Store& store = bed.open();
    TarnelUI ui(store, bed.queue);
    QtMainQueue main;
    BonsaiThumbnails none(main, [](std::uint64_t, std::int64_t) { return std::optional<gl::Frame>{}; });
    GardenView garden(store, ui, bed.random, none);
    garden.resize(378, 400);
    garden.show();
    QCoreApplication::processEvents();
}

void BM_GardenThumbnailsArrive(benchmark::State& state) {
    application();
    paintOnce();
    double treesMs = 0, allMs = 0, stallMs = 0;
    for (auto _ : state) {
        test::StoreTestBed bed;
        Store& store = bed.open();
        test::edit(store, &Snapshot::bonsai, [&](BonsaiProgress& progress) {
            for (std::size_t i = 0; i < std::size(grown); ++i)
                progress.garden.push_back(
                    {UUID::random(bed.random), 5000 + i, dateFromUnixSeconds(86400.0 * i), grown[i] - 1});
            progress.seed = 5000;
        });
        TarnelUI ui(store, bed.queue);
        QtMainQueue main;
        BonsaiThumbnails thumbs(main);

        QElapsedTimer clock;
        clock.start();
        GardenView garden(store, ui, bed.random, thumbs);
        garden.resize(378, 400);
        garden.show();
        const std::vector<TreeCard*> trees = garden.cards();
        std::vector<TreeCard*> every = trees;
        for (std::uint64_t seed : ui.nursery.get())
            every.push_back(garden.nursery().picker().card(seed));

        // The gap between two turns of a 1 ms timer is the longest the loop was held up.
        qint64 last = clock.elapsed(), longest = 0, treesAt = -1;
        QEventLoop loop;
        QTimer beat;
        beat.setTimerType(Qt::PreciseTimer);
        QObject::connect(&beat, &QTimer::timeout, [&] {
            const qint64 now = clock.elapsed();
            longest = std::max(longest, now - last);
            last = now;
            if (treesAt < 0 && allShown(trees)) treesAt = now;
            if (allShown(every) || now > 60000) loop.quit();
        });
        beat.start(1);
        loop.exec();
        if (!allShown(every)) {
            state.SkipWithError("no thumbnails (no headless GL?)");
            return;
        }
        treesMs += double(treesAt);
        allMs += double(clock.elapsed());
        stallMs = std::max(stallMs, double(longest));
    }
    const auto runs = double(state.iterations());
    state.counters["trees_ms"] = treesMs / runs;
    state.counters["with_nursery_ms"] = allMs / runs;
    state.counters["longest_stall_ms"] = stallMs;
}
BENCHMARK(BM_GardenThumbnailsArrive)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
