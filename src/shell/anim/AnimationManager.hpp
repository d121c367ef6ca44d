#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <vector>

namespace vesk {

// Something that moves while the manager ticks: an animated value of a view.
class AnimationChannel {
  public:
    virtual ~AnimationChannel() = default;
    // Brings the channel to `nowSeconds`; false once it has come to rest.
    virtual bool advance(double nowSeconds) = 0;
    // How often it needs a frame while it moves.
    virtual double frameIntervalSeconds() const { return 1.0 / 60; }
};

// Drives every moving value of the tarnel from one timer, about 60 times a second (less
// while only slow values move), and stops the timer the moment nothing moves, so that a
// resting panel costs no CPU.
class AnimationManager {
  public:
    using TimeSource = std::function<double()>;

    // Reads the monotonic clock unless given another time source (tests: a virtual one).
    explicit AnimationManager(TimeSource now = {});
    AnimationManager(const AnimationManager&) = delete;
    AnimationManager& operator=(const AnimationManager&) = delete;

    // The manager of the main thread, which every view uses.
    static AnimationManager& shared();

    double now() const { return now_(); }
    void setTimeSource(TimeSource now);

    // Channels call these; a started channel is advanced on every tick until it rests.
    void start(AnimationChannel* channel);
    void stop(AnimationChannel* channel);

    bool isTicking() const { return timer_.isActive(); }
    // The timer's period while it ticks.
    int tickIntervalMs() const { return timer_.interval(); }
    bool isMoving(const AnimationChannel* channel) const;
    // One frame: advances every moving channel to `now()`. The timer calls it; tests too.
    void tick();

  private:
    // Runs the timer as often as the most demanding moving channel needs; stops it when none moves.
    void pace();

    TimeSource now_;
    QElapsedTimer monotonic_;
    QTimer timer_;
    std::vector<AnimationChannel*> moving_;
};

} // namespace vesk
