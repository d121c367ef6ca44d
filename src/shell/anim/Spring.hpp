#pragma once

namespace vesk {

// A damped spring of unit mass, described the way the views think of it: `responseSeconds`
// is the period of the undamped oscillation, `dampingFraction` 1 is critical damping (no
// overshoot), below 1 it overshoots. A retarget within `blendDurationSeconds` of the last one
// eases from the previous spring's parameters into this one's.
struct Spring {
    double responseSeconds = 0.55;
    double dampingFraction = 1.0;
    double blendDurationSeconds = 0.0;

    bool operator==(const Spring&) const = default;

    // Moves a value `displacement` away from its target with `velocity` forward by `dtSeconds`,
    // exactly (closed form), so the result does not depend on the frame rate.
    void advance(double& displacement, double& velocity, double dtSeconds) const;

    // The parameters `fraction` (0 … 1) of the way from `from` to `to`.
    static Spring blended(const Spring& from, const Spring& to, double fraction);
};

} // namespace vesk
