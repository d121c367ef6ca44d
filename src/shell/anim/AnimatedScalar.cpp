#include "shell/anim/AnimatedScalar.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vesk {

namespace {

// Blending changes the spring continuously; stepping it this finely keeps the motion smooth
// whatever the frame rate. Without a blend one closed-form step is exact.
constexpr double blendStepSeconds = 1.0 / 240.0;

} // namespace

void AnimatedScalar::jump(double value) {
    value_ = value;
    target_ = value;
    velocity_ = 0;
    animating_ = false;
    blending_ = false;
}

void AnimatedScalar::animate(double target, const Animation& animation, double nowSeconds) {
    if (!std::isfinite(target)) return;
    if (animating_) advance(nowSeconds);
    // Views repeat the state they show; the same move again must not restart a timed curve.
    if (animating_ && target == target_ && animation == animation_) return;
    const bool endless = animation.kind == Animation::Kind::timed && animation.repeatsForever;
    if (target == target_ && !animating_ && !endless) return;

    const bool instant = animation.kind == Animation::Kind::spring ? !(animation.spring.responseSeconds > 0)
                                                                   : !(animation.durationSeconds > 0);
    if (instant && !(animation.delaySeconds > 0)) {
        jump(target);
        return;
    }

    const bool wasSpring = animating_ && animation_.kind == Animation::Kind::spring;
    const Spring previous = wasSpring ? springAt(nowSeconds) : Spring{};

    target_ = target;
    animation_ = animation;
    startSeconds_ = nowSeconds + std::max(animation.delaySeconds, 0.0);
    lastSeconds_ = nowSeconds;
    from_ = value_;
    // Arrival is judged against the size of the move, so a 0 … 1 opacity and a 300-point
    // width both stop when the rest would be invisible.
    tolerance_ = restTolerance_ > 0 ? restTolerance_ : std::max(std::abs(target - value_), 1.0) * 1e-3;
    blending_ = wasSpring && animation.kind == Animation::Kind::spring &&
                animation.spring.blendDurationSeconds > 0 && !(previous == animation.spring);
    blendFrom_ = previous;
    blendStartSeconds_ = nowSeconds;
    animating_ = true;
}

bool AnimatedScalar::advance(double nowSeconds) {
    if (!animating_) return false;
    if (animation_.kind == Animation::Kind::spring)
        advanceSpring(nowSeconds);
    else
        advanceTimed(nowSeconds);
    return animating_;
}

Spring AnimatedScalar::springAt(double seconds) const {
    if (!blending_) return animation_.spring;
    const double blend = animation_.spring.blendDurationSeconds;
    return Spring::blended(blendFrom_, animation_.spring, (seconds - blendStartSeconds_) / blend);
}

bool AnimatedScalar::settled() const {
    const Spring spring = animation_.spring;
    const double speedTolerance = tolerance_ * 2 * std::numbers::pi / spring.responseSeconds;
    return std::abs(value_ - target_) < tolerance_ && std::abs(velocity_) < speedTolerance;
}

void AnimatedScalar::advanceSpring(double nowSeconds) {
    double from = std::max(lastSeconds_, startSeconds_);
    if (nowSeconds <= from) {
        lastSeconds_ = std::max(lastSeconds_, nowSeconds);
        return;
    }
    double displacement = value_ - target_;
    while (from < nowSeconds) {
        const double blendEnd = blendStartSeconds_ + animation_.spring.blendDurationSeconds;
        const bool inBlend = blending_ && from < blendEnd;
        const double to = inBlend ? std::min(nowSeconds, from + blendStepSeconds) : nowSeconds;
        springAt(from).advance(displacement, velocity_, to - from);
        if (blending_ && to >= blendEnd) blending_ = false;
        from = to;
    }
    lastSeconds_ = nowSeconds;
    value_ = target_ + displacement;
    if (settled()) jump(target_);
}

void AnimatedScalar::advanceTimed(double nowSeconds) {
    const double previous = value_;
    const double elapsed = nowSeconds - startSeconds_;
    const double duration = animation_.durationSeconds;
    if (elapsed < 0) {
        lastSeconds_ = nowSeconds;
        return;
    }
    if (!(duration > 0)) {
        const double end = target_;
        if (animation_.repeatsForever) {
            value_ = end;
            lastSeconds_ = nowSeconds;
            return;
        }
        jump(end);
        return;
    }
    double fraction = elapsed / duration;
    if (animation_.repeatsForever) {
        const double pass = std::floor(fraction);
        fraction -= pass;
        if (animation_.autoreverses && std::fmod(pass, 2.0) == 1.0) fraction = 1 - fraction;
    } else if (fraction >= 1) {
        jump(target_);
        return;
    }
    value_ = from_ + (target_ - from_) * curveProgress(animation_.curve, fraction);
    const double dt = nowSeconds - lastSeconds_;
    if (dt > 0) velocity_ = (value_ - previous) / dt;
    lastSeconds_ = nowSeconds;
}

} // namespace vesk
