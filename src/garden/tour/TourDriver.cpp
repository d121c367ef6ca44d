#include "garden/tour/TourDriver.hpp"

#include "core/model/TaskViews.hpp"
#include "core/runtime/MainQueue.hpp"
#include "core/store/Store.hpp"
#include "shell/state/TarnelUI.hpp"

namespace vesk {
namespace {

constexpr double growingFallbackSeconds = 5.0;

} // namespace

TourDriver::TourDriver(Store& store, TarnelUI& ui, MainQueue& queue)
    : store_(store), ui_(ui), queue_(queue), welcomeDone_(welcomeDone()), revealCleared_(!ui.reveal.get()),
      onBonsaiTab_(ui.tab.get() == TarnelUI::Tab::bonsai), taskCount_(store.tasks.get().size()) {
    observations_.watch(store_.tasks, [this] { tasksChanged(); });
    observations_.watch(ui_.tourTaskID, [this] { tasksChanged(); });
    observations_.watch(ui_.reveal, [this] {
        const bool cleared = !ui_.reveal.get();
        if (cleared == revealCleared_) return;
        revealCleared_ = cleared;
        if (cleared && ui_.tour.get() == TourStep::growing) ui_.setTour(TourStep::openBonsai);
    });
    observations_.watch(ui_.tab, [this] {
        const bool onBonsai = ui_.tab.get() == TarnelUI::Tab::bonsai;
        if (onBonsai == onBonsaiTab_) return;
        onBonsaiTab_ = onBonsai;
        if (onBonsai && ui_.tour.get() == TourStep::openBonsai) ui_.setTour(TourStep::garden);
    });
    // Reaching the bonsai step with the bonsai tab already open (the 5 s fallback, say):
    // selecting it again changes nothing, so the tour would stick there.
    observations_.watch(ui_.tour, [this] {
        if (ui_.tour.get() == TourStep::openBonsai && ui_.tab.get() == TarnelUI::Tab::bonsai)
            ui_.setTour(TourStep::garden);
    });
}

bool TourDriver::welcomeDone() const {
    const auto id = ui_.tourTaskID.get();
    if (!id) return false;
    const auto task = taskWithID(store_.tasks.get(), *id);
    return !task || task->completedAt.has_value();
}

void TourDriver::tasksChanged() {
    const bool done = welcomeDone();
    if (done != welcomeDone_) {
        welcomeDone_ = done;
        if (done && ui_.tour.get() == TourStep::completeTask) {
            ui_.setTour(TourStep::growing);
            // Never cancelled: it finds the tour moved on when the reveal came first.
            queue_.after(growingFallbackSeconds, [&ui = ui_] {
                if (ui.tour.get() == TourStep::growing) ui.setTour(TourStep::openBonsai);
            });
        }
    }
    const std::size_t count = store_.tasks.get().size();
    const bool grew = count > taskCount_;
    taskCount_ = count;
    if (grew && ui_.tour.get() == TourStep::yourTurn) ui_.finishTour();
}

} // namespace vesk
