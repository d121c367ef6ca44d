#pragma once

#include "shell/anim/Animated.hpp"
#include "shell/state/ContentBinding.hpp"
#include "tabs/focus/FocusContent.hpp"

#include <QWidget>

namespace vesk {

class RollingText;
class Ring;
class StopwatchFace;
class TextLabel;

// The focus screen's dial, 132 points across: the pomodoro's ring or the stopwatch's face,
// and over either the time and the state label.
class FocusDial final : public QWidget {
  public:
    static constexpr double side = 132;

    explicit FocusDial(QWidget* parent = nullptr, AnimationManager* manager = nullptr);

    void apply(const ContentChange<FocusDialContent>& change);

    const Ring& ring() const { return *ring_; }
    const StopwatchFace& face() const { return *face_; }
    const RollingText& time() const { return *time_; }
    const TextLabel& label() const { return *label_; }

  private:
    void applyProgress(TimerMode mode, double progress);

    Ring* ring_;
    StopwatchFace* face_;
    RollingText* time_;
    TextLabel* label_;
    Animated<double> ringProgress_;
};

} // namespace vesk
