#pragma once

#include "shell/anim/Animation.hpp"

namespace vesk {

// One animated number. It moves towards its target along the animation it was last given;
// a new target mid-flight starts from where the value is, with the velocity it has, so
// that motion never jumps. Time is whatever clock the caller reads, in seconds.
class AnimatedScalar {
  public:
    explicit AnimatedScalar(double value = 0.0) : value_(value), target_(value) {}

    double value() const { return value_; }
    double target() const { return target_; }
    double velocity() const { return velocity_; }
    bool isAnimating() const { return animating_; }

    // How close to its target the value comes to rest; 0 (the default): a thousandth of the
    // move, which no eye sees. A value drawn coarsely may stop sooner.
    void setRestTolerance(double tolerance) { restTolerance_ = tolerance; }

    // Stands still at `value` at once.
    void jump(double value);
    // Heads for `target` from now on.
    void animate(double target, const Animation& animation, double nowSeconds);
    // Brings the value to `nowSeconds`; returns whether it still moves.
    bool advance(double nowSeconds);

  private:
    void advanceSpring(double nowSeconds);
    void advanceTimed(double nowSeconds);
    Spring springAt(double seconds) const;
    bool settled() const;

    double value_ = 0.0;
    double target_ = 0.0;
    double velocity_ = 0.0;
    bool animating_ = false;

    Animation animation_;
    double startSeconds_ = 0.0; // after the delay
    double lastSeconds_ = 0.0;
    double from_ = 0.0;       // timed: where the curve starts
    double tolerance_ = 1e-3; // spring: how close counts as arrived
    double restTolerance_ = 0;

    Spring blendFrom_;
    double blendStartSeconds_ = 0.0;
    bool blending_ = false;
};

} // namespace vesk
