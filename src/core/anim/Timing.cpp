#include "core/anim/Timing.hpp"

#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

// One coordinate of the Bézier curve with end points 0 and 1 and control values a, b.
double bezier(double a, double b, double s) {
    const double u = 1.0 - s;
    return 3.0 * u * u * s * a + 3.0 * u * s * s * b + s * s * s;
}

double bezierSlope(double a, double b, double s) {
    const double u = 1.0 - s;
    return 3.0 * u * u * a + 6.0 * u * s * (b - a) + 3.0 * s * s * (1.0 - b);
}

} // namespace

double cubicBezier(double x1, double y1, double x2, double y2, double x) {
    x = std::clamp(x, 0.0, 1.0);
    // Solve x(s) = x by Newton steps, falling back to bisection where the slope is flat.
    double s = x;
    for (int i = 0; i < 8; ++i) {
        const double err = bezier(x1, x2, s) - x;
        if (std::fabs(err) < 1e-9) return bezier(y1, y2, s);
        const double slope = bezierSlope(x1, x2, s);
        if (std::fabs(slope) < 1e-9) break;
        s = std::clamp(s - err / slope, 0.0, 1.0);
    }
    double lo = 0.0, hi = 1.0;
    s = x;
    for (int i = 0; i < 60; ++i) {
        (bezier(x1, x2, s) < x ? lo : hi) = s;
        s = 0.5 * (lo + hi);
    }
    return bezier(y1, y2, s);
}

float applyTiming(Timing timing, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    switch (timing) {
    case Timing::linear:
        return t;
    case Timing::easeInEaseOut:
        return float(cubicBezier(0.42, 0.0, 0.58, 1.0, t));
    }
    return t;
}

} // namespace vesk
