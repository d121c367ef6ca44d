#include "shell/anim/AnimationManager.hpp"

#include "shell/FrameClock.hpp"
#include "shell/anim/Animated.hpp"
#include "shell/anim/Transaction.hpp"

#include <QColor>
#include <gtest/gtest.h>

namespace vesk {
namespace {

class AnimationManagerTest : public ::testing::Test, protected test::FrameClock {};

TEST_F(AnimationManagerTest, TimerRunsOnlyWhileSomethingMovesAndStopsAtRest) {
    int changes = 0;
    Animated<double> width(
        112.0, [&] { ++changes; }, &manager);
    EXPECT_FALSE(manager.isTicking());

    width.animate(440.0, Animation::tarnelOpen);
    EXPECT_TRUE(manager.isTicking());
    EXPECT_TRUE(width.isAnimating());

    runFrames(180);
    EXPECT_FALSE(manager.isTicking());
    EXPECT_FALSE(width.isAnimating());
    EXPECT_DOUBLE_EQ(width.value(), 440.0);

    // Resting values cost nothing: further ticks report no change.
    const int restingChanges = changes;
    runFrames(10);
    EXPECT_EQ(changes, restingChanges);
}

TEST_F(AnimationManagerTest, SlowValuesRedrawAtTheirOwnRateAndPaceTheTimer) {
    int breaths = 0, rolls = 0;
    Animated<double> breath(
        0.35, [&] { ++breaths; }, &manager);
    breath.setFrameRate(7.5);
    breath.animate(1.0, Animation::easeInOut(0.9).repeatingForever(true));
    EXPECT_EQ(manager.tickIntervalMs(), 133) << "nothing else moves: the timer wakes 7.5 times a second";
    breaths = 0;
    runFrames(120); // two seconds of frames, as a faster value would ask for
    EXPECT_NEAR(breaths, 15, 1);

    Animated<double> roll(
        0.0, [&] { ++rolls; }, &manager);
    roll.setFrameRate(15);
    roll.setResolution(1.0 / 32); // the rest of the motion under half a pixel of 16
    roll.animate(1.0, Animation::makeSpring(0.5, 0.85));
    EXPECT_EQ(manager.tickIntervalMs(), 66);
    runFrames(60);
    EXPECT_FALSE(roll.isAnimating());
    EXPECT_DOUBLE_EQ(roll.value(), 1.0) << "the last step always shows";
    EXPECT_LE(rolls, 8); // of some forty frames the spring takes
    EXPECT_EQ(manager.tickIntervalMs(), 133) << "the timer slows down again";
}

TEST_F(AnimationManagerTest, SetFollowsTheCurrentAnimationAndJumpsOutsideOne) {
    Animated<double> opacity(0.0, {}, &manager);
    opacity.set(1.0);
    EXPECT_DOUBLE_EQ(opacity.value(), 1.0);
    EXPECT_FALSE(manager.isTicking());

    withAnimation(Animation::tarnelClose, [&] { opacity.set(0.0); });
    EXPECT_TRUE(opacity.isAnimating());
    EXPECT_DOUBLE_EQ(opacity.value(), 1.0);
    EXPECT_DOUBLE_EQ(opacity.target(), 0.0);

    // An inner scope without animation wins over the outer one, and the outer returns after.
    withAnimation(Animation::tarnel, [&] {
        Animated<double> inner(0.0, {}, &manager);
        withoutAnimation([&] { inner.set(5.0); });
        EXPECT_DOUBLE_EQ(inner.value(), 5.0);
        EXPECT_EQ(currentAnimation(), Animation::tarnel);
    });
    EXPECT_FALSE(currentAnimation().has_value());
}

TEST_F(AnimationManagerTest, DestroyingAMovingValueLetsTheTimerStop) {
    auto value = std::make_unique<Animated<double>>(0.0, std::function<void()>{}, &manager);
    value->animate(1.0, Animation::tarnel);
    ASSERT_TRUE(manager.isTicking());
    value.reset();
    EXPECT_FALSE(manager.isTicking());
}

TEST_F(AnimationManagerTest, ACallbackMayDestroyAnotherMovingValueMidFrame) {
    auto victim = std::make_unique<Animated<double>>(0.0, std::function<void()>{}, &manager);
    Animated<double> killer(
        0.0, [&] { victim.reset(); }, &manager);
    killer.setOnChange({});
    killer.animate(1.0, Animation::tarnel);
    victim->animate(1.0, Animation::tarnel);
    killer.setOnChange([&] { victim.reset(); });
    runFrames(1);
    EXPECT_EQ(victim, nullptr);
    runFrames(200);
    EXPECT_FALSE(manager.isTicking());
}

TEST_F(AnimationManagerTest, CompoundValuesMoveEveryComponentTogether) {
    Animated<QRectF> frame(QRectF(0, 0, 112, 30), {}, &manager);
    Animated<QColor> fill(QColor(0, 0, 0, 0), {}, &manager);
    frame.animate(QRectF(-164, 0, 440, 470), Animation::tarnelOpen);
    fill.animate(QColor(255, 255, 255, 255), Animation::easeInOut(0.3));
    runFrames(6);
    const QRectF midway = frame.value();
    EXPECT_GT(midway.width(), 112);
    EXPECT_LT(midway.x(), 0);
    EXPECT_GT(fill.value().alphaF(), 0);
    runFrames(200);
    EXPECT_EQ(frame.value(), QRectF(-164, 0, 440, 470));
    EXPECT_EQ(fill.value(), QColor(255, 255, 255, 255));
    EXPECT_FALSE(manager.isTicking());
}

TEST_F(AnimationManagerTest, RepeatingAnimationKeepsTheTimerAliveUntilReplaced) {
    Animated<double> dot(0.35, {}, &manager);
    dot.animate(1.0, Animation::easeInOut(0.9).repeatingForever(true));
    runFrames(600);
    EXPECT_TRUE(manager.isTicking());
    withAnimation(Animation::standard, [&] { dot.set(0.5); });
    runFrames(200);
    EXPECT_FALSE(manager.isTicking());
    EXPECT_DOUBLE_EQ(dot.value(), 0.5);
}

} // namespace
} // namespace vesk
