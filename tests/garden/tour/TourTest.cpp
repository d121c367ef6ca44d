#include "garden/tour/TourContent.hpp"
#include "garden/tour/TourDriver.hpp"
#include "shell/state/TarnelUI.hpp"
#include "support/StoreTestBed.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(TourContentTest, BubbleSitsBesideTheHoleWithinTheOverlay) {
    EXPECT_EQ(bubbleOffset(std::nullopt, 378, 420), (TourPoint{54, 144}));
    // A tab button high up: the bubble goes 12 under the hole.
    const auto tab = spotlightHole(TourRect{40, 4, 30, 22});
    EXPECT_EQ(*tab, (TourRect{34, -1, 42, 32}));
    EXPECT_EQ(bubbleOffset(tab, 378, 420), (TourPoint{29, 43}));
    // An add field low down: above it, never nearer the bottom than 154.
    EXPECT_EQ(bubbleOffset(TourRect{300, 380, 60, 30}, 378, 420), (TourPoint{79, 236}));
    EXPECT_EQ(bubbleOffset(TourRect{0, 100, 10, 10}, 378, 160), (TourPoint{29, 6}));
    // Near either edge it keeps 29 away; a narrow panel narrows the bubble.
    EXPECT_EQ(bubbleOffset(TourRect{370, 10, 8, 10}, 378, 420).x, 79);
    EXPECT_EQ(bubbleOffset(TourRect{0, 10, 10, 10}, 300, 420).x, 29);
    EXPECT_EQ(bubbleWidth(300), 242);
}

TEST(TourContentTest, CopyAndDotsFollowTheStep) {
    EXPECT_EQ(tourCopy(TourStep::completeTask).button, std::nullopt);
    EXPECT_EQ(tourCopy(TourStep::garden).button, "Next");
    EXPECT_EQ(tourCopy(TourStep::yourTurn).body, "Add a real task. Alt+Space opens Vesk from anywhere.");
    EXPECT_EQ(tourCopy(TourStep::yourTurn, false).body,
              "Add a real task. Running vesk again opens Vesk from anywhere.");
    EXPECT_EQ(tourCopy(TourStep::growing), TourCopy{});
    EXPECT_EQ(tourDotIndex(TourStep::growing), 0);
    EXPECT_EQ(tourDotIndex(TourStep::yourTurn), 4);
    EXPECT_EQ(tourDotIndex(TourStep::welcome), std::nullopt);
}

class TourDriverTest : public ::testing::Test, protected test::StoreTestBed {
  protected:
    Store& store = open();
    TarnelUI ui{store, queue};
    TourDriver driver{store, ui, queue};

    UUID startTaskStep() {
        store.plant(store.bonsai.get().seed == 0 ? 7 : store.bonsai.get().seed);
        ui.setTour(TourStep::welcome);
        ui.beginTaskStep();
        return *ui.tourTaskID.get();
    }
};

TEST_F(TourDriverTest, TickingTheTourTaskGrowsThenOpensTheBonsaiStepOnceOnTheRevealOrAfterFiveSeconds) {
    const UUID task = startTaskStep();
    ASSERT_EQ(ui.tour.get(), TourStep::completeTask);
    store.toggleDone(task);
    EXPECT_EQ(ui.tour.get(), TourStep::growing);
    queue.advance(4.9);
    EXPECT_EQ(ui.tour.get(), TourStep::growing);
    queue.advance(0.1);
    EXPECT_EQ(ui.tour.get(), TourStep::openBonsai);

    // Re-ticking later changes nothing; the bonsai tab moves it on.
    store.toggleDone(task);
    store.toggleDone(task);
    EXPECT_EQ(ui.tour.get(), TourStep::openBonsai);
    ui.select(TarnelUI::Tab::bonsai);
    EXPECT_EQ(ui.tour.get(), TourStep::garden);
}

TEST_F(TourDriverTest, AClearedRevealOrADeletedTaskCountsAndTheBonsaiStepNeverSticks) {
    const UUID task = startTaskStep();
    ui.setReveal(Reveal{UUID::random(random), 1, 3, false});
    store.deleteTask(task);
    EXPECT_EQ(ui.tour.get(), TourStep::growing);
    ui.select(TarnelUI::Tab::bonsai); // already on the tab when the step comes
    ui.setReveal(std::nullopt);
    EXPECT_EQ(ui.tour.get(), TourStep::garden);
    queue.advance(6); // the fallback finds the tour moved on
    EXPECT_EQ(ui.tour.get(), TourStep::garden);
}

TEST_F(TourDriverTest, AnyNewTaskOrSubtaskEndsYourTurnButDeletingDoesNot) {
    const UUID task = startTaskStep();
    ui.setTour(TourStep::yourTurn);
    store.deleteTask(task);
    EXPECT_EQ(ui.tour.get(), TourStep::yourTurn);
    const UUID real = *store.addTask("Real");
    EXPECT_FALSE(ui.tour.get());
    ui.setTour(TourStep::yourTurn);
    store.addTask("Step", real);
    EXPECT_FALSE(ui.tour.get());
}

} // namespace
} // namespace vesk
