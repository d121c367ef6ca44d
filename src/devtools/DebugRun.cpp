#include "core/model/Saturating.hpp"
#include "core/model/TaskViews.hpp"
#include "core/store/Store.hpp"
#include "devtools/Debug.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/theme/Theme.hpp"

#include <algorithm>
#include <memory>

namespace vesk {

namespace {

using Tab = TarnelUI::Tab;

// Any word that names no tab means the task list.
Tab tabNamed(std::string_view word) {
    if (word == "bonsai") return Tab::bonsai;
    if (word == "focus") return Tab::focus;
    if (word == "stats") return Tab::stats;
    return Tab::tasks;
}

// A run that has been going for a while, so the clock shows real digits: 7 min 23 s of
// focus or stopwatch, 1 min 23 s of break.
void startTimer(Store& store, std::string_view word) {
    const bool rest = word == "break";
    std::optional<TimerMode> mode;
    if (word == "pomodoro" || rest) mode = TimerMode::pomodoro;
    if (word == "stopwatch") mode = TimerMode::stopwatch;
    // Any other word starts nothing: back-dating the idle timer would save a run that never began.
    if (!mode) return;

    const auto open = visibleOpenTasks(store.tasks.get(), store.lists.get(), store.prefs.get());
    store.start(*mode, open.empty() ? std::nullopt : std::optional<UUID>(open.front().id));
    store.seed([&](Snapshot& data) {
        TimerState& timer = data.timer;
        if (rest) timer.phase = PomoPhase::rest;
        const Date since = addingSeconds(timer.runningSince.value_or(store.now.get()), rest ? -83.0 : -443.0);
        timer.runningSince = since;
        timer.segmentStart = since;
    });
}

// The detail shows most with subtasks in it, so the first task that has open ones wins.
std::optional<UUID> detailTask(const Store& store) {
    const auto open = visibleOpenTasks(store.tasks.get(), store.lists.get(), store.prefs.get());
    const auto withSubtasks = std::find_if(open.begin(), open.end(), [&](const TaskItem& task) {
        return !subtasksOf(store.tasks.get(), task.id, false).empty();
    });
    if (withSubtasks != open.end()) return withSubtasks->id;
    if (!open.empty()) return open.front().id;
    return std::nullopt;
}

void expandOn(Store& store, TarnelUI& ui, std::string_view word) {
    if (word == "detail") {
        ui.expand(Tab::tasks);
        if (const auto id = detailTask(store)) ui.openDetail(*id);
        return;
    }
    const bool garden = word == "garden";
    ui.expand(garden ? Tab::bonsai : tabNamed(word));
    if (garden) ui.openGarden();
}

// Grows the current tree by n cubes through the growth reaction, as a completed task would,
// but records no gain: totals, unlocks and statistics stay as they were.
void revealGrowth(Store& store, std::int64_t n, const Debug::GrowthReaction& bonsaiGrew) {
    const BonsaiProgress& bonsai = store.bonsai.get();
    const GardenTree* current = bonsai.seed == 0 ? nullptr : treeWithSeed(bonsai, bonsai.seed);
    if (!current) {
        bonsaiGrew(0, n, GainReason::completed);
        return;
    }
    const std::int64_t from = shownCubes(*current);
    const std::int64_t to = saturatingAdd(from, n);
    store.debugSetIteration(to);
    bonsaiGrew(from, to, GainReason::completed);
}

// The guided tour played by itself, relying on the shell starting it 0.9 s after launch
// and on the tour's own reactions in between. Each step checks where the tour stands.
void playTour(Store& store, TarnelUI& ui, MainQueue& queue) {
    queue.after(2.5, [&ui] { ui.advanceTour(TourStep::welcome); });
    queue.after(3.2, [&store, &ui] {
        if (ui.tour.get() != TourStep::seedling) return;
        store.plant(4242);
        if (ui.tour.get() == TourStep::seedling) ui.beginTaskStep();
    });
    queue.after(4.0, [&store, &ui] {
        if (const std::optional<UUID> id = ui.tourTaskID.get()) store.toggleDone(*id);
    });
    queue.after(10.0, [&ui] { withAnimation(Animation::tarnel, [&] { ui.select(Tab::bonsai); }); });
    queue.after(11.5, [&ui] {
        if (ui.tour.get() == TourStep::garden) ui.setTour(TourStep::focus);
    });
    queue.after(12.5, [&ui] {
        if (ui.tour.get() == TourStep::focus) ui.setTour(TourStep::yourTurn);
    });
    queue.after(13.5, [&store] { store.addTask("My real task"); });
}

// The picture waits at most 120 s for the views still drawing their first picture (their GL
// is made on a thread of its own, which a sanitizer on a busy machine slows to a minute),
// looking again every 0.05 s.
constexpr double pictureLookSeconds = 0.05;
constexpr int pictureLooks = 2400;

// The picture, then the ordinary quit, which saves the store. A picture that did not reach
// its file fails the run, so that a script waiting for it learns why it is missing. On a
// busy machine a 3D view or a thumbnail may not have drawn yet: the picture waits for them
// rather than show a black card.
void takeSnapshot(const Debug::Stage& stage, const std::filesystem::path& path, int looks = 0) {
    if (looks < pictureLooks && stage.picturesPending()) {
        stage.queue.after(pictureLookSeconds, [stage, path, looks] { takeSnapshot(stage, path, looks + 1); });
        return;
    }
    int status = 0;
    if (!stage.snapshot(path)) {
        stage.errors << "vesk: could not write the snapshot to " << path.string() << "\n";
        status = 1;
    }
    if (!stage.environment("VESK_KEEP")) stage.quit(status);
}

// How long a reveal takes to open fully.
constexpr double revealOpenSeconds = 1.0;

// How long before the snapshot the growth is frozen, so that the frozen frame is drawn.
constexpr double freezeLeadSeconds = 0.15;

} // namespace

void Debug::run(Store& store, TarnelUI& ui, const Stage& stage) const {
    MainQueue& queue = stage.queue;

    if (timer) startTimer(store, *timer);
    if (expand) expandOn(store, ui, *expand);
    if (toast) ui.showToast("checkmark.circle.fill", "Focus done · 5 min break", Theme::focus().rgba(), 30);
    if (hover) ui.setHovering(true);

    // Never cancelled: each runs once, at its fixed time after launch.
    if (addAfter)
        queue.after(0.8, [&store] {
            withAnimation(Animation::tarnelFast, [&] { store.addTask("Added while open"); });
        });
    if (reveal)
        queue.after(0.8, [&store, n = *reveal, grew = stage.bonsaiGrew] { revealGrowth(store, n, grew); });
    if (thenTab)
        queue.after(1.2, [&ui, tab = tabNamed(*thenTab)] {
            withAnimation(Animation::tarnel, [&] { ui.select(tab); });
        });
    if (freeze)
        queue.after(std::max(snapshotDelay - freezeLeadSeconds, 0.0),
                    [freezeAnimation = stage.freezeAnimation, t = *freeze] { freezeAnimation(t); });
    if (snapshot) {
        Stage shot = stage;
        if (reveal) {
            // The reveal opens once its view can draw the tree, which on a busy machine can
            // be after the delay: the picture waits for it, opened.
            auto revealed = std::make_shared<bool>(false);
            auto seen = std::make_shared<bool>(false);
            ui.reveal.observe([&ui, &queue, revealed, seen] {
                if (*seen || !ui.reveal.get()) return;
                *seen = true;
                queue.after(revealOpenSeconds, [revealed] { *revealed = true; });
            });
            shot.picturesPending = [revealed, pending = stage.picturesPending] {
                return !*revealed || pending();
            };
        }
        queue.after(std::max(snapshotDelay, 0.0),
                    [shot, path = std::filesystem::path(*snapshot)] { takeSnapshot(shot, path); });
    }

    if (stage.environment("VESK_TOUR_AUTOPLAY")) playTour(store, ui, queue);
}

} // namespace vesk
