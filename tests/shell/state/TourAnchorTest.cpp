#include "shell/state/TourAnchor.hpp"

#include <QWidget>
#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(TourAnchorTest, CollectsVisibleMarksInTheOverlaysCoordinates) {
    QWidget window;
    window.resize(440, 470);
    auto* topBar = new QWidget(&window);
    topBar->setGeometry(31, 0, 378, 30);
    auto* bonsaiButton = new QWidget(topBar);
    bonsaiButton->setGeometry(32, 3, 30, 24);
    auto* overlay = new QWidget(&window);
    overlay->setGeometry(10, 0, 420, 470);
    auto* unmarked = new QWidget(topBar);

    tourAnchor(bonsaiButton, TourTarget::bonsaiTab);
    tourAnchor(unmarked, std::nullopt);
    auto rects = tourAnchorRects(&window, overlay);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects.at(TourTarget::bonsaiTab), QRectF(31 + 32 - 10, 3, 30, 24));

    // Hidden views are not on screen; an absent target unmarks.
    bonsaiButton->hide();
    EXPECT_TRUE(tourAnchorRects(&window, overlay).empty());
    bonsaiButton->show();
    tourAnchor(bonsaiButton, std::nullopt);
    EXPECT_TRUE(tourAnchorRects(&window, overlay).empty());
}

TEST(TourAnchorTest, TheLaterViewInViewOrderWins) {
    QWidget window;
    auto* first = new QWidget(&window);
    first->setGeometry(0, 0, 10, 10);
    auto* second = new QWidget(&window);
    second->setGeometry(50, 50, 20, 20);
    tourAnchor(first, TourTarget::addField);
    tourAnchor(second, TourTarget::addField);
    EXPECT_EQ(tourAnchorRects(&window, &window).at(TourTarget::addField), QRectF(50, 50, 20, 20));
}

TEST(TourTest, StepsSpotlightTheirTargetsAndCarryTheirLogNames) {
    EXPECT_EQ(spotlightTarget(TourStep::completeTask), TourTarget::welcomeCheck);
    EXPECT_EQ(spotlightTarget(TourStep::openBonsai), TourTarget::bonsaiTab);
    EXPECT_EQ(spotlightTarget(TourStep::garden), TourTarget::gardenButton);
    EXPECT_EQ(spotlightTarget(TourStep::focus), TourTarget::focusTab);
    EXPECT_EQ(spotlightTarget(TourStep::yourTurn), TourTarget::addField);
    for (TourStep quiet : {TourStep::welcome, TourStep::seedling, TourStep::growing})
        EXPECT_EQ(spotlightTarget(quiet), std::nullopt);
    EXPECT_EQ(name(TourStep::completeTask), "completeTask");
    EXPECT_EQ(name(TourStep::yourTurn), "yourTurn");
}

} // namespace
} // namespace vesk
