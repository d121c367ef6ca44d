#include "shell/state/TarnelUI.hpp"

#include "core/model/TaskViews.hpp"
#include "core/runtime/Observations.hpp"
#include "support/StoreTestBed.hpp"

#include <gtest/gtest.h>
#include <sstream>

namespace vesk {
namespace {

using Tab = TarnelUI::Tab;
using Size = TarnelUI::Size;

struct TarnelUITest : ::testing::Test {
    test::StoreTestBed bed;
    Store& store = bed.open();
    std::ostringstream log;
    TarnelUI ui{store, bed.queue, &log};
    int focusAdds = 0;
    Signal<TarnelUI>::Connection focusAddListener = ui.focusAddRequested.connect([this] { ++focusAdds; });

    void notch(double width, double height = 37) { ui.setMetrics({true, width, height}); }
};

TEST_F(TarnelUITest, CollapsedSizeFollowsNotchTimerToastAndHover) {
    notch(200);
    EXPECT_EQ(ui.size(), (Size{280, 37}));
    store.start(TimerMode::stopwatch, std::nullopt);
    EXPECT_EQ(ui.size(), (Size{380, 37}));
    store.resetTimer();
    ui.setHovering(true);
    EXPECT_EQ(ui.size(), (Size{292, 40}));

    ui.setHovering(false);
    ui.setMetrics({false, 0, 30});
    EXPECT_EQ(ui.size(), (Size{112, 30}));
    ui.showToast("checkmark", "Done", 0xFF00FF00, 2);
    EXPECT_EQ(ui.size(), (Size{300, 64}));
    ui.setHovering(true);
    EXPECT_EQ(ui.size(), (Size{312, 67}));
}

TEST_F(TarnelUITest, ExpandedSizeByNotchTabGardenAndTour) {
    ui.expand(std::nullopt);
    notch(200);
    EXPECT_EQ(ui.size().width, 520);
    notch(100);
    EXPECT_EQ(ui.size().width, 440);
    ui.setMetrics({false, 0, 30});
    EXPECT_EQ(ui.size(), (Size{440, 470}));
    ui.setHovering(true); // hover counts only while collapsed
    EXPECT_EQ(ui.size(), (Size{440, 470}));

    const std::pair<Tab, double> heights[] = {
        {Tab::tasks, 470}, {Tab::bonsai, 404}, {Tab::focus, 418}, {Tab::stats, 446}};
    for (auto [tab, height] : heights) {
        ui.select(tab);
        EXPECT_EQ(ui.expandedHeight(), height);
    }
    ui.select(Tab::bonsai);
    ui.openGarden();
    EXPECT_EQ(ui.expandedHeight(), 452);
    for (TourStep step : {TourStep::welcome, TourStep::seedling})
        for (Tab tab : TarnelUI::allTabs) {
            ui.select(tab);
            ui.setTour(step);
            EXPECT_EQ(ui.expandedHeight(), 452);
        }
}

TEST_F(TarnelUITest, ANewerToastKeepsItsFullTimeAndNoneShowsWhileExpanded) {
    ui.showToast("a", "first", 0, 2);
    const UUID firstID = ui.toast.get()->id;
    bed.queue.advance(1);
    ui.showToast("b", "second", 0, 2);
    EXPECT_NE(ui.toast.get()->id, firstID);
    bed.queue.advance(1.5); // the first one's time is up, the second keeps its own
    ASSERT_TRUE(ui.toast.get());
    EXPECT_EQ(ui.toast.get()->text, "second");
    bed.queue.advance(0.5);
    EXPECT_FALSE(ui.toast.get());

    ui.showToast("a", "shown", 0, 5);
    ui.expand(std::nullopt);
    EXPECT_FALSE(ui.toast.get());
    ui.showToast("a", "dropped", 0, 5);
    EXPECT_FALSE(ui.toast.get());
}

TEST_F(TarnelUITest, ExpandAndCollapseClearTheirStateAndReportOnce) {
    std::vector<bool> reports;
    Observations heard;
    heard.watch(ui.expanded, [&] { reports.push_back(ui.expanded.get()); });
    ui.collapse();
    EXPECT_TRUE(reports.empty());

    ui.select(Tab::stats);
    ui.setHovering(true);
    ui.expand(std::nullopt);
    EXPECT_EQ(ui.tab.get(), Tab::stats);
    EXPECT_FALSE(ui.hovering.get());
    ui.expand(Tab::tasks, TarnelUI::Focus::addField);
    bed.queue.advance(0.14);
    EXPECT_EQ(focusAdds, 0);
    bed.queue.advance(0.01);
    EXPECT_EQ(focusAdds, 1);

    const UUID id = UUID::random();
    ui.openDetail(id);
    ui.setReveal(Reveal{UUID::random(), 1, 2, false});
    ui.openGarden();
    ui.collapse();
    EXPECT_FALSE(ui.expanded.get());
    EXPECT_FALSE(ui.detailID.get());
    EXPECT_FALSE(ui.reveal.get());
    EXPECT_FALSE(ui.gardenOpen.get());
    EXPECT_EQ(reports, (std::vector<bool>{true, false}));
}

TEST_F(TarnelUITest, SelectKeepsDetailOnTasksAndClearsItElsewhere) {
    ui.openDetail(UUID::random());
    ui.setReveal(Reveal{UUID::random(), 1, 2, false});
    ui.select(Tab::tasks);
    EXPECT_TRUE(ui.detailID.get());
    EXPECT_TRUE(ui.reveal.get());
    ui.select(Tab::focus);
    EXPECT_FALSE(ui.detailID.get());
    EXPECT_FALSE(ui.reveal.get());
}

TEST_F(TarnelUITest, ObserversHearOnlyRealChanges) {
    int told = 0;
    ui.metrics.observe([&] { ++told; });
    ui.setMetrics({false, 0, 30});
    EXPECT_EQ(told, 0);
    notch(180);
    notch(180);
    EXPECT_EQ(told, 1);
}

TEST_F(TarnelUITest, TourWalksItsStepsAndIgnoresStalePresses) {
    bool finished = false;
    Observations heard;
    heard.listen(ui.onboardingFinished, [&] { finished = true; });
    ui.setTour(TourStep::welcome);
    ui.advanceTour(TourStep::welcome); // no tree planted yet
    EXPECT_EQ(ui.tour.get(), TourStep::seedling);
    ui.advanceTour(TourStep::seedling);
    EXPECT_EQ(ui.tour.get(), TourStep::completeTask);
    ASSERT_TRUE(ui.tourTaskID.get());
    const auto task = taskWithID(store.tasks.get(), *ui.tourTaskID.get());
    ASSERT_TRUE(task);
    EXPECT_EQ(task->title, "Complete your first task");
    EXPECT_EQ(task->notes, "Tick the circle — your bonsai grows with every finished task.");

    const auto count = store.tasks.get().size();
    ui.beginTaskStep();
    EXPECT_EQ(store.tasks.get().size(), count);
    ui.advanceTour(TourStep::completeTask); // advances on its own event only
    EXPECT_EQ(ui.tour.get(), TourStep::completeTask);

    ui.select(Tab::bonsai);
    ui.openGarden();
    ui.setTour(TourStep::garden);
    EXPECT_FALSE(ui.gardenOpen.get());
    ui.advanceTour(TourStep::garden);
    ui.advanceTour(TourStep::garden); // stale: the tour is at focus now
    EXPECT_EQ(ui.tour.get(), TourStep::focus);
    ui.advanceTour(TourStep::focus);
    EXPECT_EQ(ui.tour.get(), TourStep::yourTurn);
    EXPECT_EQ(ui.tab.get(), Tab::tasks);
    bed.queue.advance(0.24);
    EXPECT_EQ(focusAdds, 0);
    bed.queue.advance(0.01);
    EXPECT_EQ(focusAdds, 1);

    ui.advanceTour(TourStep::yourTurn);
    EXPECT_FALSE(ui.tour.get());
    EXPECT_FALSE(ui.tourTaskID.get());
    EXPECT_TRUE(finished);
    EXPECT_EQ(log.str(), "tour → welcome\ntour → seedling\ntour → completeTask\ntour → completeTask\n"
                         "tour → garden\ntour → focus\ntour → yourTurn\ntour → finished\n");
}

TEST_F(TarnelUITest, ATourStartedAgainTakesUpTheTourTaskAnEarlierOneLeftOpen) {
    ui.setTour(TourStep::seedling);
    ui.beginTaskStep();
    const UUID left = *ui.tourTaskID.get();
    const auto count = store.tasks.get().size();
    // Quit mid-tour: the next session's state knows no tour task.
    TarnelUI next{store, bed.queue};
    next.setTour(TourStep::seedling);
    next.beginTaskStep();
    EXPECT_EQ(next.tourTaskID.get(), left);
    EXPECT_EQ(store.tasks.get().size(), count);
    // Once the user has changed its words it is theirs.
    store.update(left, [](TaskItem& task) { task.notes = "mine"; });
    TarnelUI third{store, bed.queue};
    third.setTour(TourStep::seedling);
    third.beginTaskStep();
    EXPECT_NE(third.tourTaskID.get(), left);
    EXPECT_EQ(store.tasks.get().size(), count + 1);
}

TEST_F(TarnelUITest, DelayedWorkDoesNothingOnceTheStateIsGone) {
    auto other = std::make_unique<TarnelUI>(store, bed.queue);
    other->showToast("a", "b", 0, 1);
    other->expand(Tab::tasks, TarnelUI::Focus::addField);
    other.reset();
    bed.queue.advance(2); // must not touch the destroyed object
    SUCCEED();
}

} // namespace
} // namespace vesk
