#include "shell/anim/Transaction.hpp"

namespace vesk {

namespace {

thread_local std::optional<Animation> current;

} // namespace

std::optional<Animation> currentAnimation() {
    return current;
}

AnimationScope::AnimationScope(std::optional<Animation> animation) : previous_(current) {
    current = animation;
}

AnimationScope::~AnimationScope() {
    current = previous_;
}

} // namespace vesk
