#pragma once

#include "shell/anim/Animation.hpp"

#include <optional>

namespace vesk {

// How a view looks while it is absent: the look an insertion starts from, or a removal
// ends in. Combined transitions apply all their parts at once.
struct Transition {
    double opacity = 1.0; // 0 for a fade
    double scale = 1.0;   // about the anchor, a unit point of the view (0.5, 0.5 = centre)
    double anchorX = 0.5;
    double anchorY = 0.5;
    double offsetX = 0.0; // in fractions of the view's width and height
    double offsetY = 0.0;
    // Its own pace; without one, the transition runs with the animation of the change.
    std::optional<Animation> animation;

    bool operator==(const Transition&) const = default;

    static constexpr Transition fade() {
        Transition t;
        t.opacity = 0;
        return t;
    }
    static constexpr Transition scaled(double from, double anchorX = 0.5, double anchorY = 0.5) {
        Transition t;
        t.scale = from;
        t.anchorX = anchorX;
        t.anchorY = anchorY;
        return t;
    }
    // A slide in from or out to an edge: (-1, 0) leading, (1, 0) trailing, (0, -1) top.
    static constexpr Transition move(double edgeX, double edgeY) {
        Transition t;
        t.offsetX = edgeX;
        t.offsetY = edgeY;
        return t;
    }

    constexpr Transition combined(const Transition& other) const {
        Transition t = *this;
        t.opacity *= other.opacity;
        if (other.scale != 1.0) {
            t.scale *= other.scale;
            t.anchorX = other.anchorX;
            t.anchorY = other.anchorY;
        }
        t.offsetX += other.offsetX;
        t.offsetY += other.offsetY;
        if (other.animation) t.animation = other.animation;
        return t;
    }
    constexpr Transition animated(const Animation& pace) const {
        Transition t = *this;
        t.animation = pace;
        return t;
    }

    // The look `presence` of the way from absent (0) to present (1).
    constexpr Transition at(double presence) const {
        Transition t = *this;
        const double absent = 1.0 - presence;
        t.opacity = opacity * absent + presence;
        t.scale = scale * absent + presence;
        t.offsetX = offsetX * absent;
        t.offsetY = offsetY * absent;
        return t;
    }
};

} // namespace vesk
