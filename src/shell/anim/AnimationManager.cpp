#include "shell/anim/AnimationManager.hpp"

#include <algorithm>

namespace vesk {

namespace {

constexpr int frameIntervalMs = 16;

} // namespace

AnimationManager::AnimationManager(TimeSource now) {
    monotonic_.start();
    setTimeSource(std::move(now));
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(frameIntervalMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
}

AnimationManager& AnimationManager::shared() {
    static AnimationManager manager;
    return manager;
}

void AnimationManager::setTimeSource(TimeSource now) {
    if (now)
        now_ = std::move(now);
    else
        now_ = [this] { return static_cast<double>(monotonic_.nsecsElapsed()) * 1e-9; };
}

void AnimationManager::start(AnimationChannel* channel) {
    if (std::find(moving_.begin(), moving_.end(), channel) == moving_.end()) moving_.push_back(channel);
    if (!timer_.isActive()) timer_.start();
}

void AnimationManager::stop(AnimationChannel* channel) {
    std::erase(moving_, channel);
    if (moving_.empty()) timer_.stop();
}

bool AnimationManager::isMoving(const AnimationChannel* channel) const {
    return std::find(moving_.begin(), moving_.end(), channel) != moving_.end();
}

void AnimationManager::tick() {
    const double seconds = now();
    // A channel's change callback may start, stop or destroy other channels: walk a copy
    // and skip whatever left the list meanwhile.
    const auto frame = moving_;
    for (AnimationChannel* channel : frame) {
        if (!isMoving(channel)) continue;
        if (!channel->advance(seconds)) std::erase(moving_, channel);
    }
    if (moving_.empty()) timer_.stop();
}

} // namespace vesk
