#include "shell/anim/AnimatedScalar.hpp"
#include "shell/anim/Animation.hpp"

#include <cmath>
#include <gtest/gtest.h>

namespace vesk {
namespace {

// Runs `scalar` frame by frame at 60 Hz from `start` until it rests or `limitSeconds` pass;
// returns the time it came to rest (or the limit).
double runUntilRest(AnimatedScalar& scalar, double start, double limitSeconds, double* maxValue = nullptr) {
    double t = start;
    while (t < start + limitSeconds) {
        t += 1.0 / 60.0;
        const bool moving = scalar.advance(t);
        if (maxValue) *maxValue = std::max(*maxValue, scalar.value());
        if (!moving) return t;
    }
    return t;
}

TEST(SpringTest, EverySpringOfTheTarnelSettlesOnItsTargetWithinAboutTwoSeconds) {
    for (const Animation& animation :
         {Animation::tarnelOpen, Animation::tarnelClose, Animation::tarnel, Animation::tarnelFast}) {
        AnimatedScalar width(112);
        width.animate(440, animation, 0.0);
        const double restedAt = runUntilRest(width, 0.0, 5.0);
        EXPECT_LT(restedAt, 2.0);
        EXPECT_FALSE(width.isAnimating());
        EXPECT_DOUBLE_EQ(width.value(), 440);
        EXPECT_DOUBLE_EQ(width.velocity(), 0);
    }
}

TEST(SpringTest, CriticallyDampedCloseNeverOvershootsWhileTheOthersDo) {
    double peak = 0;
    AnimatedScalar closing(0);
    closing.animate(1, Animation::tarnelClose, 0.0);
    runUntilRest(closing, 0.0, 5.0, &peak);
    EXPECT_LE(peak, 1.0);

    for (const Animation& bouncy : {Animation::tarnelOpen, Animation::tarnel, Animation::tarnelFast}) {
        double bouncyPeak = 0;
        AnimatedScalar opening(0);
        opening.animate(1, bouncy, 0.0);
        runUntilRest(opening, 0.0, 5.0, &bouncyPeak);
        EXPECT_GT(bouncyPeak, 1.0);
    }
}

TEST(SpringTest, MotionDoesNotDependOnTheFrameRate) {
    AnimatedScalar coarse(0), fine(0);
    coarse.animate(100, Animation::tarnelOpen, 0.0);
    fine.animate(100, Animation::tarnelOpen, 0.0);
    coarse.advance(0.2);
    for (int i = 1; i <= 200; ++i)
        fine.advance(0.2 * i / 200);
    EXPECT_NEAR(coarse.value(), fine.value(), 1e-9);
    EXPECT_NEAR(coarse.velocity(), fine.velocity(), 1e-9);
}

TEST(SpringTest, RetargetingMidFlightKeepsPositionAndVelocity) {
    AnimatedScalar x(0);
    x.animate(100, Animation::tarnelFast, 0.0);
    x.advance(0.1);
    const double value = x.value();
    const double velocity = x.velocity();
    ASSERT_GT(velocity, 0);

    x.animate(0, Animation::tarnelFast, 0.1);
    EXPECT_DOUBLE_EQ(x.value(), value);
    EXPECT_DOUBLE_EQ(x.velocity(), velocity);
    // Still carried forward by its speed for a moment before it turns back.
    x.advance(0.11);
    EXPECT_GT(x.value(), value);
    runUntilRest(x, 0.11, 5.0);
    EXPECT_DOUBLE_EQ(x.value(), 0);
}

TEST(SpringTest, BlendingIntoAnInteractiveSpringIsContinuousAndArrives) {
    AnimatedScalar x(0);
    x.animate(50, Animation::tarnelClose, 0.0);
    x.advance(0.05);
    x.animate(80, Animation::tarnel, 0.05);
    double last = x.value();
    double t = 0.05;
    for (int i = 0; i < 30; ++i) {
        t += 1.0 / 120.0;
        x.advance(t);
        EXPECT_LT(std::abs(x.value() - last), 5.0); // no jump while the parameters blend
        last = x.value();
    }
    runUntilRest(x, t, 5.0);
    EXPECT_DOUBLE_EQ(x.value(), 80);
}

TEST(SpringTest, DegenerateInputsArriveAtOnceOrAreIgnored) {
    AnimatedScalar x(3);
    x.animate(7, Animation::makeSpring(0, 1), 0.0);
    EXPECT_DOUBLE_EQ(x.value(), 7);
    EXPECT_FALSE(x.isAnimating());

    x.animate(NAN, Animation::tarnel, 0.0);
    EXPECT_DOUBLE_EQ(x.value(), 7);

    x.animate(9, Animation::easeOut(0), 0.0);
    EXPECT_DOUBLE_EQ(x.value(), 9);

    // Time running backwards moves nothing.
    x.animate(20, Animation::tarnel, 1.0);
    x.advance(0.5);
    EXPECT_DOUBLE_EQ(x.value(), 9);
}

TEST(TimedAnimationTest, DelayHoldsThenTheCurveRunsToItsEnd) {
    AnimatedScalar opacity(0);
    opacity.animate(1, Animation::easeOut(0.22).delayed(0.08), 0.0);
    opacity.advance(0.07);
    EXPECT_DOUBLE_EQ(opacity.value(), 0);
    opacity.advance(0.08 + 0.11);
    EXPECT_GT(opacity.value(), 0.5); // ease-out is past half way at half time
    EXPECT_FALSE(opacity.advance(0.31));
    EXPECT_DOUBLE_EQ(opacity.value(), 1);
}

TEST(TimedAnimationTest, RepeatingTheSameMoveDoesNotRestartIt) {
    AnimatedScalar opacity(0);
    const Animation fade = Animation::easeOut(0.2);
    opacity.animate(1, fade, 0.0);
    for (double t = 0.02; t < 0.2; t += 0.02) {
        opacity.advance(t);
        opacity.animate(1, fade, t);
    }
    EXPECT_FALSE(opacity.advance(0.21));
    EXPECT_DOUBLE_EQ(opacity.value(), 1);
}

TEST(TimedAnimationTest, AutoreversingRepeatBreathesForever) {
    AnimatedScalar dot(0.35);
    dot.animate(1.0, Animation::easeInOut(0.9).repeatingForever(true), 0.0);
    EXPECT_TRUE(dot.advance(0.9));
    EXPECT_NEAR(dot.value(), 1.0, 1e-6);
    EXPECT_TRUE(dot.advance(1.8));
    EXPECT_NEAR(dot.value(), 0.35, 1e-6);
    EXPECT_TRUE(dot.advance(100.0 * 0.9 + 0.45));
    EXPECT_NEAR(dot.value(), (0.35 + 1.0) / 2, 1e-3);
}

TEST(TimedAnimationTest, CurvesStartAndEndOnTheirEndpointsAndStayMonotonic) {
    for (Curve curve : {Curve::linear, Curve::easeIn, Curve::easeOut, Curve::easeInOut}) {
        EXPECT_NEAR(curveProgress(curve, 0), 0, 1e-6);
        EXPECT_NEAR(curveProgress(curve, 1), 1, 1e-6);
        double last = 0;
        for (int i = 1; i <= 100; ++i) {
            const double p = curveProgress(curve, i / 100.0);
            EXPECT_GE(p, last - 1e-9);
            last = p;
        }
    }
    EXPECT_LT(curveProgress(Curve::easeIn, 0.5), 0.5);
    EXPECT_GT(curveProgress(Curve::easeOut, 0.5), 0.5);
    EXPECT_NEAR(curveProgress(Curve::easeInOut, 0.5), 0.5, 1e-6);
}

} // namespace
} // namespace vesk
