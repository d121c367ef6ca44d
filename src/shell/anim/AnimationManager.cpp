#include "shell/anim/AnimationManager.hpp"

#include <algorithm>

namespace vesk {

namespace {

// The timer's whole milliseconds: 16 for 60 frames a second.
int intervalMs(double seconds) {
    return std::max(1, static_cast<int>(seconds * 1000));
}

} // namespace

AnimationManager::AnimationManager(TimeSource now) {
    monotonic_.start();
    setTimeSource(std::move(now));
    timer_.setTimerType(Qt::PreciseTimer);
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
    pace();
}

void AnimationManager::stop(AnimationChannel* channel) {
    std::erase(moving_, channel);
    pace();
}

void AnimationManager::pace() {
    if (moving_.empty()) {
        timer_.stop();
        return;
    }
    double seconds = moving_.front()->frameIntervalSeconds();
    for (const AnimationChannel* channel : moving_)
        seconds = std::min(seconds, channel->frameIntervalSeconds());
    const int ms = intervalMs(seconds);
    if (timer_.isActive() && timer_.interval() == ms) return;
    timer_.start(ms);
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
    pace();
}

} // namespace vesk
