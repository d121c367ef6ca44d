#include "shell/anim/Animation.hpp"

#include "core/anim/Timing.hpp"

#include <algorithm>
#include <cmath>

namespace vesk {

double curveProgress(Curve curve, double t) {
    const double x = std::isfinite(t) ? std::clamp(t, 0.0, 1.0) : 1.0;
    switch (curve) {
    case Curve::linear:
        return x;
    case Curve::easeIn:
        return cubicBezier(0.42, 0, 1, 1, x);
    case Curve::easeOut:
        return cubicBezier(0, 0, 0.58, 1, x);
    case Curve::easeInOut:
        return cubicBezier(0.42, 0, 0.58, 1, x);
    }
    return x;
}

} // namespace vesk
