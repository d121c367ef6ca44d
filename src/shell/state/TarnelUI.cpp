#include "shell/state/TarnelUI.hpp"

#include "core/model/TaskViews.hpp"
#include "core/model/TimerReadings.hpp"
#include "core/store/Store.hpp"
#include "shell/anim/Animation.hpp"
#include "shell/anim/Transaction.hpp"

#include <algorithm>
#include <ostream>

namespace vesk {

namespace {
constexpr const char* tourTaskTitle = "Complete your first task";
constexpr const char* tourTaskNotes = "Tick the circle — your bonsai grows with every finished task.";

// The tour task an earlier, unfinished tour left open in the list a new one would go to,
// known by the words the tour wrote.
std::optional<UUID> openTourTask(const Store& store) {
    const UUID list = targetListID(store.lists.get(), store.prefs.get());
    for (const TaskItem& task : store.tasks.get())
        if (task.listID == list && !task.parentID && !task.completedAt && task.title == tourTaskTitle &&
            task.notes == tourTaskNotes)
            return task.id;
    return std::nullopt;
}
} // namespace

TarnelUI::TarnelUI(Store& store, MainQueue& queue, std::ostream* tourLog)
    : store(store), queue_(queue), tourLog_(tourLog) {}

TarnelUI::~TarnelUI() = default;

void TarnelUI::later(double seconds, std::function<void()> work) {
    queue_.after(seconds, lifetime_.guard(std::move(work)));
}

TarnelUI::Size TarnelUI::size() const {
    const ScreenMetrics& m = metrics.get();
    if (expanded.get()) return {expandedWidth(), expandedHeight()};
    const bool timer = isTimerActive(store.timer.get());
    Size result{m.hasNotch ? (timer ? 168.0 : 68.0) + m.notchWidth + 12 : (timer ? 236.0 : 112.0),
                m.topHeight};
    if (toast.get()) {
        result.width = std::max({result.width, m.notchWidth + 120, 300.0});
        result.height += 34;
    }
    if (hovering.get()) {
        result.width += 12;
        result.height += 3;
    }
    return result;
}

double TarnelUI::expandedWidth() const {
    const ScreenMetrics& m = metrics.get();
    return m.hasNotch ? std::max(m.notchWidth + 320, 440.0) : 440.0;
}

double TarnelUI::expandedHeight() const {
    if (tour.get() == TourStep::welcome || tour.get() == TourStep::seedling) return 452;
    switch (tab.get()) {
    case Tab::tasks:
        return 470;
    case Tab::bonsai:
        return gardenOpen.get() ? 452 : 404;
    case Tab::focus:
        return 418;
    case Tab::stats:
        return 446;
    }
    return 470;
}

void TarnelUI::expand(std::optional<Tab> newTab, Focus focus) {
    withAnimation(Animation::tarnelOpen, [&] {
        if (newTab) tab.set(*newTab);
        toast.set(std::nullopt);
        hovering.set(false);
        expanded.set(true);
    });
    if (focus == Focus::addField) later(0.15, [this] { requestFocusAdd(); });
}

void TarnelUI::collapse() {
    if (!expanded.get()) return;
    withAnimation(Animation::tarnelClose, [&] {
        expanded.set(false);
        detailID.set(std::nullopt);
        reveal.set(std::nullopt);
        gardenOpen.set(false);
    });
}

void TarnelUI::select(Tab newTab) {
    withAnimation(Animation::tarnel, [&] {
        tab.set(newTab);
        if (newTab != Tab::tasks) {
            detailID.set(std::nullopt);
            reveal.set(std::nullopt);
        }
    });
}

void TarnelUI::openDetail(const UUID& id) {
    withAnimation(Animation::tarnelFast, [&] { detailID.set(id); });
}

void TarnelUI::closeDetail() {
    withAnimation(Animation::tarnelFast, [&] { detailID.set(std::nullopt); });
}

void TarnelUI::openGarden() {
    withAnimation(Animation::tarnelFast, [&] { gardenOpen.set(true); });
}

void TarnelUI::closeGarden() {
    withAnimation(Animation::tarnelFast, [&] { gardenOpen.set(false); });
}

void TarnelUI::showToast(const std::string& icon, const std::string& text, std::uint32_t tint,
                         double seconds) {
    if (expanded.get()) return;
    withAnimation(Animation::tarnel, [&] { toast.set(Toast{UUID::random(), icon, text, tint}); });
    queue_.debounce(toastExpiry_, seconds,
                    [this] { withAnimation(Animation::tarnel, [&] { toast.set(std::nullopt); }); });
}

void TarnelUI::logTour(std::string_view what) const {
    if (!tourLog_) return;
    *tourLog_ << "tour → " << what << '\n';
    tourLog_->flush();
}

void TarnelUI::setTour(TourStep step) {
    logTour(name(step));
    withAnimation(Animation::tarnelFast, [&] {
        tour.set(step);
        if (step == TourStep::completeTask || step == TourStep::yourTurn) {
            tab.set(Tab::tasks);
            detailID.set(std::nullopt);
        }
        if (step == TourStep::garden) gardenOpen.set(false);
    });
    if (step == TourStep::yourTurn) later(0.25, [this] { requestFocusAdd(); });
}

bool TarnelUI::hasCurrentTree() const {
    const auto& bonsai = store.bonsai.get();
    return treeWithSeed(bonsai, bonsai.seed) != nullptr;
}

void TarnelUI::advanceTour(TourStep from) {
    if (tour.get() != from) return; // a stale press cannot skip a step
    switch (from) {
    case TourStep::welcome:
        if (hasCurrentTree())
            beginTaskStep();
        else
            setTour(TourStep::seedling);
        break;
    case TourStep::seedling:
        beginTaskStep();
        break;
    case TourStep::completeTask:
    case TourStep::growing:
    case TourStep::openBonsai:
        break; // these advance on events the tour watches
    case TourStep::garden:
        setTour(TourStep::focus);
        break;
    case TourStep::focus:
        setTour(TourStep::yourTurn);
        break;
    case TourStep::yourTurn:
        finishTour();
        break;
    }
}

void TarnelUI::beginTaskStep() {
    const auto existing = tourTaskID.get();
    if (!existing || !taskWithID(store.tasks.get(), *existing)) {
        if (const auto left = openTourTask(store)) {
            tourTaskID.set(*left);
        } else if (const auto id = store.addTask(tourTaskTitle, std::nullopt, std::nullopt)) {
            store.update(*id, [](TaskItem& task) { task.notes = tourTaskNotes; });
            tourTaskID.set(*id);
        }
    }
    withAnimation(Animation::tarnelFast, [&] { gardenOpen.set(false); });
    setTour(TourStep::completeTask);
}

void TarnelUI::finishTour() {
    if (!tour.get()) return;
    logTour("finished");
    withAnimation(Animation::tarnel, [&] {
        tour.set(std::nullopt);
        tourTaskID.set(std::nullopt);
    });
    onboardingFinished.send();
}

} // namespace vesk
