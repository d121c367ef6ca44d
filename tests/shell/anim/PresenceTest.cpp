#include "shell/anim/Presence.hpp"

#include "shell/FrameClock.hpp"
#include "shell/WidgetEvents.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/PlainButton.hpp"
#include "shell/theme/Theme.hpp"

#include <QHBoxLayout>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace vesk {
namespace {

class PresenceTest : public ::testing::Test, protected test::FrameClock {
  protected:
    QWidget parent;
};

TEST_F(PresenceTest, RemovalFadesOutTakesNoClicksAndHidesAtTheEnd) {
    auto* view = new QWidget(&parent);
    Presence presence(view, Transition::fade(), &manager);
    parent.show();
    ASSERT_TRUE(view->isVisible());

    withAnimation(Animation::easeIn(0.1), [&] { presence.setPresent(false); });
    EXPECT_TRUE(view->isVisible());
    EXPECT_TRUE(view->testAttribute(Qt::WA_TransparentForMouseEvents));
    runFrames(3);
    const double midway = Presence::effectFor(view).opacity;
    EXPECT_GT(midway, 0.0);
    EXPECT_LT(midway, 1.0);
    runFrames(10);
    EXPECT_FALSE(view->isVisible());

    // Inserted again without an animation: there at once.
    presence.setPresent(true);
    EXPECT_TRUE(view->isVisible());
    EXPECT_FALSE(view->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_DOUBLE_EQ(Presence::effectFor(view).opacity, 1.0);
}

TEST_F(PresenceTest, ATransitionWithItsOwnPaceIgnoresTheChangesAnimationAndDelay) {
    auto* view = new QWidget(&parent);
    view->hide();
    Presence presence(view, Transition::fade().animated(Animation::easeOut(0.22).delayed(0.08)),
                      Transition::fade().animated(Animation::easeIn(0.1)), &manager);
    presence.setPresent(true);
    EXPECT_TRUE(view->isVisibleTo(&parent));
    runFrames(4); // still within the delay
    EXPECT_DOUBLE_EQ(presence.presence(), 0.0);
    runFrames(30);
    EXPECT_DOUBLE_EQ(presence.presence(), 1.0);
    EXPECT_FALSE(manager.isTicking());
}

TEST_F(PresenceTest, AncestorsOpacityReachesPaintedDescendantsAndAScalingContainerMovesAsAPicture) {
    parent.resize(200, 100);
    auto* panel = new QWidget(&parent);
    panel->setGeometry(0, 0, 200, 100);
    auto* child = new QWidget(panel);
    child->setGeometry(100, 50, 20, 20);
    Presence fade(panel, Transition::fade(), &manager);
    Presence own(child, Transition::fade().combined(Transition::scaled(0.5, 0, 0)), &manager);

    withAnimation(Animation::linear(1.0), [&] {
        fade.setPresent(false);
        own.setPresent(false);
    });
    now = 0.5;
    manager.tick();
    const PaintEffect effect = Presence::effectFor(child);
    EXPECT_NEAR(effect.opacity, 0.25, 1e-9);
    // Its own scale about its own top-left corner, in its own coordinates.
    EXPECT_EQ(effect.transform, QTransform::fromScale(0.75, 0.75));
    EXPECT_FALSE(fade.showsPicture());

    // A container that scales would carry its children out of their rectangles: it goes as a picture.
    auto* row = new QWidget(&parent);
    row->setGeometry(0, 0, 200, 30);
    auto* label = new QWidget(row);
    Presence toast(row, Transition::scaled(0.9, 0.5, 0), &manager);
    withAnimation(Animation::linear(1.0), [&] { toast.setPresent(false); });
    runFrames(30);
    EXPECT_TRUE(toast.showsPicture());
    EXPECT_DOUBLE_EQ(Presence::effectFor(label).opacity, 1.0); // the picture carries the look
    runFrames(61);
    EXPECT_FALSE(toast.showsPicture());
    EXPECT_TRUE(row->isHidden());
    EXPECT_EQ(row->pos(), QPoint(0, 0));
}

TEST_F(PresenceTest, ASlideMovesTheViewItselfAndFollowsItsLayout) {
    parent.resize(200, 40);
    auto* row = new QHBoxLayout(&parent);
    row->setContentsMargins(10, 0, 0, 0);
    auto* button = new PlainButton(&parent);
    button->setFixedSize(60, 40);
    row->addWidget(button, 0, Qt::AlignLeft);
    parent.show();
    row->activate();
    ASSERT_EQ(button->pos(), QPoint(10, 0));
    Presence presence(button, Transition::move(1, 0), &manager);

    withAnimation(Animation::linear(1.0), [&] { presence.setPresent(false); });
    now = 0.5;
    manager.tick();
    EXPECT_EQ(button->pos(), QPoint(40, 0)); // half its width on the way out
    // The layout places it anew meanwhile: the slide goes on from there.
    row->setContentsMargins(20, 0, 0, 0);
    row->activate();
    EXPECT_EQ(button->pos(), QPoint(50, 0));
    // A list moves it down from where it stands: the slide keeps its way across.
    button->move(button->x(), 5);
    EXPECT_EQ(button->pos(), QPoint(50, 5));
    presence.setPresent(true);
    EXPECT_EQ(button->pos(), QPoint(20, 5));
}

TEST_F(PresenceTest, PaintedViewsDrawWithTheirAncestorsOpacity) {
    parent.resize(60, 30);
    auto* panel = new QWidget(&parent);
    panel->setGeometry(0, 0, 60, 30);
    auto* button = new PlainButton(panel);
    button->setFills(Theme::accent(), Theme::accent());
    button->setGeometry(0, 0, 60, 30);
    Presence presence(panel, Transition::fade(), &manager);
    const int opaque = test::renderOnBlack(&parent).pixelColor(30, 15).green();

    withAnimation(Animation::linear(1.0), [&] { presence.setPresent(false); });
    now = 0.5;
    manager.tick();
    const int half = test::renderOnBlack(&parent).pixelColor(30, 15).green();
    EXPECT_NEAR(half, opaque / 2, 3);
}

TEST_F(PresenceTest, APressOnAnArrivingViewReachesWhatIsDrawnWhereItLands) {
    parent.resize(200, 100);
    parent.show();
    // A screen holding a text field arrives as a picture, sliding in from the left.
    auto* screen = new QWidget(&parent);
    screen->setGeometry(0, 0, 200, 100);
    new QLineEdit(screen);
    auto* button = new PlainButton(screen);
    button->setGeometry(100, 50, 40, 20);
    int presses = 0;
    button->setAction([&] { ++presses; });
    screen->hide();
    Presence presence(screen, Transition::move(-1, 0).combined(Transition::fade()), &manager);
    withAnimation(Animation::tarnelFast, [&] { presence.setPresent(true); });

    // Drawn where it will rest, a moment before its spring settles.
    while (presence.presence() < 0.995)
        runFrames(1);
    ASSERT_TRUE(presence.showsPicture());
    test::clickInWindow(parent, QPoint(120, 60));
    EXPECT_EQ(presses, 1);
    EXPECT_FALSE(presence.showsPicture()); // whole at once, the rest of its way too
    EXPECT_DOUBLE_EQ(Presence::effectFor(button).opacity, 1.0);

    // Pressed halfway, it takes the press where it was drawn, then slides on to its place.
    withoutAnimation([&] { presence.setPresent(false); });
    withAnimation(Animation::linear(1.0), [&] { presence.setPresent(true); });
    now += 0.5;
    manager.tick();
    ASSERT_EQ(button->mapTo(&parent, QPoint()), QPoint(0, 50));
    test::clickInWindow(parent, QPoint(20, 60));
    EXPECT_EQ(presses, 2);
    runFrames(40);
    EXPECT_EQ(screen->pos(), QPoint(0, 0));
}

TEST(TransitionTest, LookInterpolatesFromAbsentToPresent) {
    const Transition toast = Transition::scaled(0.9, 0.5, 0).combined(Transition::fade());
    EXPECT_EQ(toast.at(1), (Transition{1, 1, 0.5, 0, 0, 0, std::nullopt}));
    const Transition half = toast.at(0.5);
    EXPECT_DOUBLE_EQ(half.opacity, 0.5);
    EXPECT_DOUBLE_EQ(half.scale, 0.95);
    const Transition slide = Transition::move(-1, 0).at(0.25);
    EXPECT_DOUBLE_EQ(slide.offsetX, -0.75);
}

} // namespace
} // namespace vesk
