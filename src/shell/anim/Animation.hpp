#pragma once

#include "shell/anim/Spring.hpp"

namespace vesk {

// The pace of a timed animation: the standard cubic Béziers (ease-in 0.42,0,1,1; ease-out
// 0,0,0.58,1; ease-in-out 0.42,0,0.58,1).
enum class Curve { linear, easeIn, easeOut, easeInOut };

// Progress 0 … 1 of `curve` at time fraction `t` (clamped to 0 … 1).
double curveProgress(Curve curve, double t);

// How a change of an animated value moves: along a spring, or along a timed curve. Plain
// data, so that state code names an animation without knowing who draws it.
struct Animation {
    enum class Kind { spring, timed };

    Kind kind = Kind::spring;
    Spring spring;
    Curve curve = Curve::easeInOut;
    double durationSeconds = 0.0;
    double delaySeconds = 0.0;
    bool repeatsForever = false;
    bool autoreverses = false;

    bool operator==(const Animation&) const = default;

    static constexpr Animation makeSpring(double responseSeconds, double dampingFraction,
                                          double blendDurationSeconds = 0.0) {
        Animation a;
        a.spring = Spring{responseSeconds, dampingFraction, blendDurationSeconds};
        return a;
    }
    static constexpr Animation timed(Curve curve, double durationSeconds) {
        Animation a;
        a.kind = Kind::timed;
        a.curve = curve;
        a.durationSeconds = durationSeconds;
        return a;
    }
    static constexpr Animation easeIn(double seconds) { return timed(Curve::easeIn, seconds); }
    static constexpr Animation easeOut(double seconds) { return timed(Curve::easeOut, seconds); }
    static constexpr Animation easeInOut(double seconds) { return timed(Curve::easeInOut, seconds); }
    static constexpr Animation linear(double seconds) { return timed(Curve::linear, seconds); }

    constexpr Animation delayed(double seconds) const {
        Animation a = *this;
        a.delaySeconds = seconds;
        return a;
    }
    // A timed animation that starts over forever (a breathing dot); `reverse` runs every
    // second pass backwards.
    constexpr Animation repeatingForever(bool reverse) const {
        Animation a = *this;
        a.repeatsForever = true;
        a.autoreverses = reverse;
        return a;
    }

    // The animation a change gets when it names none: smooth, no overshoot.
    static const Animation standard;
    // Expanding the tarnel, showing a growth reveal.
    static const Animation tarnelOpen;
    // Collapsing the tarnel, clearing a growth reveal: critically damped.
    static const Animation tarnelClose;
    // Tab changes, hover, toasts, size changes of the shape.
    static const Animation tarnel;
    // Quick in-panel changes: list edits, timer controls, detail and garden, tour steps.
    static const Animation tarnelFast;
};

inline constexpr Animation Animation::standard = Animation::makeSpring(0.55, 1.0);
inline constexpr Animation Animation::tarnelOpen = Animation::makeSpring(0.42, 0.8);
inline constexpr Animation Animation::tarnelClose = Animation::makeSpring(0.45, 1.0);
inline constexpr Animation Animation::tarnel = Animation::makeSpring(0.38, 0.8, 0.25);
inline constexpr Animation Animation::tarnelFast = Animation::makeSpring(0.3, 0.86);

} // namespace vesk
