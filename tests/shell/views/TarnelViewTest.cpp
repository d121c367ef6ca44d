#include "shell/views/TarnelView.hpp"

#include "shell/WidgetEvents.hpp"
#include "shell/anim/AnimationManager.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/controls/TabButton.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/views/CollapsedView.hpp"
#include "shell/views/ExpandedView.hpp"
#include "shell/views/TarnelRoot.hpp"
#include "shell/views/TopBar.hpp"
#include "support/StoreTestBed.hpp"

#include <QCoreApplication>
#include <QPointer>
#include <gtest/gtest.h>

namespace vesk {
namespace {

class TarnelViewTest : public ::testing::Test {
  protected:
    test::StoreTestBed bed;
    Store& store = bed.open();
    TarnelUI ui{store, bed.queue};
    std::vector<std::string> built;
    ScreenFactory named(std::string name) {
        return [this, name](QWidget* parent) {
            built.push_back(name);
            return new QWidget(parent);
        };
    }
    ScreenFactories factories() {
        ScreenFactories all;
        all.tasks = named("tasks");
        all.taskDetail = named("detail");
        all.stats = named("stats");
        all.tourCard = named("card");
        return all;
    }
    ExpandedView* expanded = new ExpandedView(store, ui, MenuServices{}, factories());
    TarnelView* tarnel = new TarnelView(ui, expanded, MenuServices{});
    TarnelRoot root{ui, tarnel};
};

TEST_F(TarnelViewTest, TheTarnelHangsFromTheMiddleOfThePanelsTopEdge) {
    root.resize(1100, 600);
    std::vector<QRectF> moves;
    root.setOnOutlineChanged([&] { moves.push_back(root.tarnelFrame()); });
    root.setTarnelSize(QSizeF(440, 470));
    EXPECT_EQ(root.tarnelFrame(), QRectF(330, 0, 440, 470));
    EXPECT_EQ(tarnel->geometry(), QRect(330, 0, 440, 470));
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back(), root.tarnelFrame());

    QWidget satellite;
    root.setSatellite(&satellite);
    EXPECT_EQ(satellite.pos(), QPoint(780, 0));
    satellite.setParent(nullptr);
}

TEST_F(TarnelViewTest, TheExpandedContentStaysCentredInTheGrowingOutline) {
    root.resize(1100, 600);
    root.show();
    root.setTarnelSize(QSizeF(200, 100)); // mid-way through the opening
    EXPECT_EQ(expanded->geometry(), QRect(-120, 0, 440, 470));
    // Nothing of it shows beside the outline: not in the flares, not below.
    const QRegion shown = expanded->mask();
    EXPECT_TRUE(shown.contains(QPoint(120 + 100, 50)));
    EXPECT_FALSE(shown.contains(QPoint(120 + 2, 50)));
    EXPECT_FALSE(shown.contains(QPoint(120 + 100, 120)));
    root.setTarnelSize(QSizeF(440, 470));
    EXPECT_EQ(expanded->pos(), QPoint(0, 0));
    ui.setMetrics(ScreenMetrics{true, 180, 32}); // beside a wide notch
    EXPECT_EQ(expanded->pos(), QPoint(-30, 0));
}

TEST_F(TarnelViewTest, AClickOnThePillAsksToExpandAndTheShapeFollowsTheState) {
    root.resize(1100, 600);
    root.setTarnelSize(QSizeF(112, 30));
    int clicks = 0;
    tarnel->setOnClick([&] { ++clicks; });
    test::click(tarnel);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(tarnel->shape(), (NotchShape{14, 6}));

    ui.expand(std::nullopt);
    test::click(tarnel); // open: the content takes the clicks, not the pill
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(Presence::of(expanded)->isPresent());
    EXPECT_FALSE(Presence::of(&tarnel->collapsed())->isPresent());
}

TEST_F(TarnelViewTest, ExpandedScreensFollowTheStateAreBuiltAnewAndTheTourCardHidesTheBar) {
    using Tab = TarnelUI::Tab;
    EXPECT_EQ(expanded->screen(), ExpandedView::Screen::tasks);
    // None is built before the tarnel first opens.
    ui.select(Tab::stats);
    ui.select(Tab::tasks);
    EXPECT_EQ(expanded->screenWidget(), nullptr);
    ui.expand(std::nullopt);
    QPointer<QWidget> tasks = expanded->screenWidget();
    double now = 0;
    AnimationManager::shared().setTimeSource([&] { return now; });
    ui.openDetail(store.lists.get()[0].id); // any id: the state alone decides
    EXPECT_EQ(expanded->screen(), ExpandedView::Screen::taskDetail);
    now = 2; // past the slide
    AnimationManager::shared().tick();
    AnimationManager::shared().setTimeSource({});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(tasks.isNull()); // destroyed once it has left
    ui.select(Tab::stats);
    EXPECT_EQ(expanded->screen(), ExpandedView::Screen::stats);
    ui.select(Tab::tasks);
    EXPECT_EQ(expanded->screen(), ExpandedView::Screen::tasks);
    EXPECT_EQ(built, (std::vector<std::string>{"tasks", "detail", "stats", "tasks"}));

    ui.setTour(TourStep::welcome);
    EXPECT_TRUE(expanded->showsTourCard());
    EXPECT_TRUE(expanded->topBar().isHidden());
    ui.setTour(TourStep::completeTask);
    EXPECT_FALSE(expanded->showsTourCard());
    EXPECT_FALSE(expanded->topBar().isHidden());
    EXPECT_EQ(built.back(), "tasks");

    test::click(expanded->topBar().tabButton(Tab::stats));
    EXPECT_EQ(ui.tab.get(), Tab::stats);
    EXPECT_EQ(expanded->screen(), ExpandedView::Screen::stats);
}

TEST_F(TarnelViewTest, ACollapseEndsTheScreensShowingSoItOpensBuiltAnew) {
    ui.expand(std::nullopt);
    EXPECT_EQ(built, std::vector<std::string>{"tasks"}); // built once, not again for the first opening
    QPointer<QWidget> first = expanded->screenWidget();
    ui.collapse();
    EXPECT_EQ(expanded->screenWidget(), first); // still there while the tarnel closes
    ui.expand(std::nullopt);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(built, (std::vector<std::string>{"tasks", "tasks"}));
    ASSERT_TRUE(expanded->screenWidget());
    EXPECT_FALSE(expanded->screenWidget()->isHidden());

    // The detail closed by the collapse gives way to a list built while closed: never shown, kept.
    ui.openDetail(store.lists.get()[0].id);
    ui.collapse();
    ui.expand(std::nullopt);
    EXPECT_EQ(built, (std::vector<std::string>{"tasks", "tasks", "detail", "tasks"}));
}

} // namespace
} // namespace vesk
