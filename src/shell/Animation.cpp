#include "shell/Animation.hpp"

#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

// One coordinate of a cubic Bézier from (0,0) to (1,1) with control values p1, p2.
double bezier(double p1, double p2, double s) {
    const double u = 1 - s;
    return 3 * u * u * s * p1 + 3 * u * s * s * p2 + s * s * s;
}

double bezierSlope(double p1, double p2, double s) {
    const double u = 1 - s;
    return 3 * u * u * p1 + 6 * u * s * (p2 - p1) + 3 * s * s * (1 - p2);
}

double cubic(double x1, double y1, double x2, double y2, double x) {
    // Solve x(s) = x: Newton from a good start, bisection where the slope is flat.
    double s = x;
    for (int i = 0; i < 8; ++i) {
        const double error = bezier(x1, x2, s) - x;
        if (std::abs(error) < 1e-7) return bezier(y1, y2, s);
        const double slope = bezierSlope(x1, x2, s);
        if (std::abs(slope) < 1e-6) break;
        s = std::clamp(s - error / slope, 0.0, 1.0);
    }
    double lo = 0, hi = 1;
    s = x;
    for (int i = 0; i < 40; ++i) {
        if (bezier(x1, x2, s) < x)
            lo = s;
        else
            hi = s;
        s = (lo + hi) / 2;
    }
    return bezier(y1, y2, s);
}

} // namespace

double curveProgress(Curve curve, double t) {
    const double x = std::isfinite(t) ? std::clamp(t, 0.0, 1.0) : 1.0;
    switch (curve) {
    case Curve::linear:
        return x;
    case Curve::easeIn:
        return cubic(0.42, 0, 1, 1, x);
    case Curve::easeOut:
        return cubic(0, 0, 0.58, 1, x);
    case Curve::easeInOut:
        return cubic(0.42, 0, 0.58, 1, x);
    }
    return x;
}

} // namespace vesk
