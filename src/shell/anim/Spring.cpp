#include "shell/anim/Spring.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vesk {

void Spring::advance(double& displacement, double& velocity, double dtSeconds) const {
    if (dtSeconds <= 0) return;
    if (!(responseSeconds > 0) || !std::isfinite(displacement) || !std::isfinite(velocity)) {
        // A spring without a period arrives at once.
        displacement = 0;
        velocity = 0;
        return;
    }
    const double omega = 2 * std::numbers::pi / responseSeconds;
    const double zeta = std::max(dampingFraction, 0.0);
    const double x0 = displacement;
    const double v0 = velocity;
    const double t = dtSeconds;

    if (std::abs(zeta - 1.0) < 1e-9) {
        const double b = v0 + omega * x0;
        const double decay = std::exp(-omega * t);
        displacement = decay * (x0 + b * t);
        velocity = decay * (v0 - omega * b * t);
    } else if (zeta < 1.0) {
        const double a = zeta * omega;
        const double wd = omega * std::sqrt(1 - zeta * zeta);
        const double b = (v0 + a * x0) / wd;
        const double decay = std::exp(-a * t);
        const double c = std::cos(wd * t);
        const double s = std::sin(wd * t);
        displacement = decay * (x0 * c + b * s);
        velocity = decay * ((b * wd - a * x0) * c - (x0 * wd + a * b) * s);
    } else {
        const double root = std::sqrt(zeta * zeta - 1);
        const double r1 = -omega * (zeta - root);
        const double r2 = -omega * (zeta + root);
        const double c2 = (v0 - r1 * x0) / (r2 - r1);
        const double c1 = x0 - c2;
        const double e1 = std::exp(r1 * t);
        const double e2 = std::exp(r2 * t);
        displacement = c1 * e1 + c2 * e2;
        velocity = c1 * r1 * e1 + c2 * r2 * e2;
    }
}

Spring Spring::blended(const Spring& from, const Spring& to, double fraction) {
    const double f = std::clamp(fraction, 0.0, 1.0);
    Spring result = to;
    result.responseSeconds = from.responseSeconds + (to.responseSeconds - from.responseSeconds) * f;
    result.dampingFraction = from.dampingFraction + (to.dampingFraction - from.dampingFraction) * f;
    return result;
}

} // namespace vesk
