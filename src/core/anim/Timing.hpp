#pragma once

namespace vesk {

// How an animation's progress maps to its effect. easeInEaseOut is the cubic Bézier curve
// (0.42, 0), (0.58, 1), the platform's standard one.
enum class Timing { linear, easeInEaseOut };

// t in 0…1 (clamped) to the eased progress.
float applyTiming(Timing timing, float t);

// The timing curve through (0, 0), (x1, y1), (x2, y2), (1, 1) at x in 0…1: y where the
// curve's x equals x (x1 and x2 within 0…1, so that there is one).
double cubicBezier(double x1, double y1, double x2, double y2, double x);

} // namespace vesk
