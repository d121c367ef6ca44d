#include "shell/views/TarnelView.hpp"

#include "support/StoreTestBed.hpp"
#include "shell/views/CollapsedView.hpp"
#include "shell/views/ExpandedView.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/controls/TabButton.hpp"
#include "shell/views/TarnelRoot.hpp"
#include "shell/views/TopBar.hpp"
#include "shell/WidgetEvents.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

class TarnelViewTest : public ::testing::Test {
  protected:
    test::StoreTestBed bed;
    Store& store = bed.open();
    std::vector<int> tabsChosen;
    ExpandedView* expanded =
        new ExpandedView(store, MenuServices{}, [this](int tab) { tabsChosen.push_back(tab); });
    TarnelView* tarnel = new TarnelView(store, expanded, MenuServices{});
    TarnelRoot root{tarnel};
};

TEST_F(TarnelViewTest, TheTarnelHangsFromTheMiddleOfThePanelsTopEdge) {
    root.resize(1100, 600);
    std::vector<QRectF> moves;
    root.setOnTarnelMoved([&](QRectF frame) { moves.push_back(frame); });
    root.setTarnelSize(QSizeF(440, 470), false);
    EXPECT_EQ(root.tarnelFrame(), QRectF(330, 0, 440, 470));
    EXPECT_EQ(tarnel->geometry(), QRect(330, 0, 440, 470));
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back(), root.tarnelFrame());

    QWidget satellite;
    root.setSatellite(&satellite);
    EXPECT_EQ(satellite.pos(), QPoint(780, 0));
    satellite.setParent(nullptr);
}

TEST_F(TarnelViewTest, AClickOnThePillAsksToExpandAndTheShapeFollowsTheState) {
    root.resize(1100, 600);
    root.setTarnelSize(QSizeF(112, 30), false);
    int clicks = 0;
    tarnel->setOnClick([&] { ++clicks; });
    test::click(tarnel);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(tarnel->shape(), (NotchShape{14, 6}));

    tarnel->setExpanded(true);
    test::click(tarnel); // open: the content takes the clicks, not the pill
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(Presence::of(expanded)->isPresent());
    EXPECT_FALSE(Presence::of(&tarnel->collapsed())->isPresent());
}

TEST_F(TarnelViewTest, ExpandedScreensFollowTabAndDetailAndTheTourCardHidesTheBar) {
    expanded->setContentSize(QSize(440, 470));
    expanded->setTab(0, true);
    EXPECT_EQ(expanded->screen(), ExpandedView::Screen::taskDetail);
    expanded->setTab(3, true);
    EXPECT_EQ(expanded->screen(), ExpandedView::Screen::stats);
    EXPECT_TRUE(expanded->topBar().tabButton(3));

    expanded->setTourStep(TourStep::welcome);
    EXPECT_TRUE(expanded->showsTourCard());
    EXPECT_TRUE(expanded->topBar().isHidden());
    expanded->setTourStep(TourStep::completeTask);
    EXPECT_FALSE(expanded->showsTourCard());
    EXPECT_FALSE(expanded->topBar().isHidden());

    test::click(expanded->topBar().tabButton(1));
    EXPECT_EQ(tabsChosen, std::vector<int>{1});
}

} // namespace
} // namespace vesk
