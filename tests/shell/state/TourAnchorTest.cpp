#include "shell/state/TourAnchor.hpp"

#include <QWidget>
#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(TourAnchorTest, CollectsTheVisibleMarkedViews) {
    QWidget window;
    window.resize(440, 470);
    auto* topBar = new QWidget(&window);
    topBar->setGeometry(31, 0, 378, 30);
    auto* bonsaiButton = new QWidget(topBar);
    bonsaiButton->setGeometry(32, 3, 30, 24);
    auto* unmarked = new QWidget(topBar);

    tourAnchor(bonsaiButton, TourTarget::bonsaiTab);
    tourAnchor(unmarked, std::nullopt);
    auto views = tourAnchorViews(&window);
    ASSERT_EQ(views.size(), 1u);
    EXPECT_EQ(views.at(TourTarget::bonsaiTab), bonsaiButton);

    // Hidden views are not on screen; an absent target unmarks.
    bonsaiButton->hide();
    EXPECT_TRUE(tourAnchorViews(&window).empty());
    bonsaiButton->show();
    tourAnchor(bonsaiButton, std::nullopt);
    EXPECT_TRUE(tourAnchorViews(&window).empty());
}

TEST(TourAnchorTest, TheLaterViewInViewOrderWins) {
    QWidget window;
    auto* first = new QWidget(&window);
    first->setGeometry(0, 0, 10, 10);
    auto* second = new QWidget(&window);
    second->setGeometry(50, 50, 20, 20);
    tourAnchor(first, TourTarget::addField);
    tourAnchor(second, TourTarget::addField);
    EXPECT_EQ(tourAnchorViews(&window).at(TourTarget::addField), second);
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
