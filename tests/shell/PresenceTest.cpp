#include "shell/anim/Presence.hpp"

#include "shell/FrameClock.hpp"
#include "shell/WidgetEvents.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/PlainButton.hpp"
#include "shell/theme/Theme.hpp"

#include <QVBoxLayout>
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

TEST_F(PresenceTest, AncestorsOpacityAndScaleReachTheirDescendants) {
    parent.resize(200, 100);
    auto* panel = new QWidget(&parent);
    panel->setGeometry(0, 0, 200, 100);
    auto* child = new QWidget(panel);
    child->setGeometry(100, 50, 20, 20);
    Presence fade(panel, Transition::fade().combined(Transition::scaled(0.5, 0, 0)), &manager);
    Presence own(child, Transition::fade(), &manager);

    withAnimation(Animation::linear(1.0), [&] {
        fade.setPresent(false);
        own.setPresent(false);
    });
    now = 0.5;
    manager.tick();
    const PaintEffect effect = Presence::effectFor(child);
    EXPECT_NEAR(effect.opacity, 0.25, 1e-9);
    // The panel scales about its top-left corner to 0.75: the child's origin (100, 50) in the
    // panel lands at (75, 37.5), which is (-25, -12.5) in the child's own coordinates.
    const QPointF origin = effect.transform.map(QPointF(0, 0));
    EXPECT_NEAR(origin.x(), -25, 1e-9);
    EXPECT_NEAR(origin.y(), -12.5, 1e-9);
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
