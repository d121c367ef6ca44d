#pragma once

#include "shell/anim/Animation.hpp"

#include <optional>
#include <utility>

namespace vesk {

// The animation with which state changes made right now are to be shown. Values that a
// change touches inside `withAnimation` move along that animation; outside one, they jump.
// Views read it while they are told of a change, which observed values do synchronously.
// One per thread, because every view and its state live on the main thread.
std::optional<Animation> currentAnimation();

// Makes `animation` (none: no animation) current for its lifetime; scopes nest.
class AnimationScope {
  public:
    explicit AnimationScope(std::optional<Animation> animation);
    ~AnimationScope();
    AnimationScope(const AnimationScope&) = delete;
    AnimationScope& operator=(const AnimationScope&) = delete;

  private:
    std::optional<Animation> previous_;
};

// Runs `body`, letting every state change it makes happen inside `animation`.
template <class Body> void withAnimation(const Animation& animation, Body&& body) {
    AnimationScope scope(animation);
    std::forward<Body>(body)();
}

// Runs `body` with its changes shown at once, even inside an outer animation.
template <class Body> void withoutAnimation(Body&& body) {
    AnimationScope scope(std::nullopt);
    std::forward<Body>(body)();
}

} // namespace vesk
