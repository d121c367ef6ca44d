#pragma once

#include "shell/anim/Animated.hpp"

#include <QColor>
#include <QWidget>

namespace vesk {

// The breathing dot of a running stopwatch: 7 points, between 0.35 and full opacity while
// running, half opacity while paused.
class PulseDot final : public QWidget {
  public:
    static constexpr double diameter = 7;
    static constexpr double breathFrameRate = 5;

    enum class State { paused, running };

    PulseDot(const QColor& color, State state, QWidget* parent = nullptr,
             AnimationManager* manager = nullptr);
    void setColor(const QColor& color);
    void setRunning(bool running);
    double opacity() const { return opacity_.value(); }
    QSize sizeHint() const override { return {int(diameter), int(diameter)}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void applyState();

    QColor color_;
    bool running_;
    bool on_ = false; // becomes true when first shown, which starts the breathing
    Animated<double> opacity_;
};

} // namespace vesk
