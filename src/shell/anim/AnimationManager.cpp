#include "shell/anim/AnimationManager.hpp"

#include <algorithm>
#include <utility>

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
    inFrame_ = true;
    for (AnimationChannel* channel : frame) {
        if (!isMoving(channel)) continue;
        if (!channel->advance(seconds)) std::erase(moving_, channel);
    }
    inFrame_ = false;
    pace();
    paintFrame();
}

void AnimationManager::repaint(QWidget* widget, const QRect& rect) {
    if (inFrame_)
        toPaint_.emplace_back(widget, rect);
    else
        widget->update(rect);
}

void AnimationManager::paintFrame() {
    // Taken out first: a paint may start another frame's animation.
    const auto toPaint = std::exchange(toPaint_, {});
    // One paint per window, of every box of the frame (a clock's digit and the dot beside
    // it): painted from the window down, as Qt paints a widget that is not opaque.
    std::vector<std::pair<QPointer<QWidget>, QRegion>> windows;
    for (const auto& [widget, rect] : toPaint) {
        if (!widget || !widget->isVisible() || !widget->updatesEnabled()) continue;
        QWidget* window = widget->window();
        const QRect box(widget->mapTo(window, rect.topLeft()), rect.size());
        const auto same = std::find_if(windows.begin(), windows.end(),
                                       [&](const auto& entry) { return entry.first == window; });
        if (same == windows.end())
            windows.emplace_back(window, box);
        else
            same->second += box;
    }
    for (const auto& [window, region] : windows)
        if (window) window->repaint(region);
}

} // namespace vesk
