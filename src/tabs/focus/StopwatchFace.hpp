#pragma once

#include "shell/anim/Animated.hpp"

#include <QColor>
#include <QPixmap>
#include <QWidget>

namespace vesk {

// The stopwatch's dial face: a plain outline and a dot on it that goes round once a minute,
// starting at twelve o'clock. The dot stands out over the outline, so the widget is larger
// than the dial by `bleed` on every side.
class StopwatchFace final : public QWidget {
  public:
    explicit StopwatchFace(QWidget* parent = nullptr, AnimationManager* manager = nullptr);

    enum class Move { glides, jumps };
    // The fraction of the current minute; the dot glides there over the ticker's second,
    // or jumps.
    void setProgress(double progress, Move move = Move::glides);
    void setDotColor(const QColor& color);

    // Degrees clockwise from twelve o'clock, as drawn now (0 … 360).
    double dotAngle() const;

    static constexpr double lineWidth = 3.5;
    static constexpr double dotSize = 8;
    static constexpr double bleed = dotSize / 2;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QRectF outline() const;
    QRectF dotRect(double degrees) const;
    const QPixmap& track();

    // Unwrapped: the dot always takes the short way round, so that a new minute carries it
    // on forwards instead of spinning it back.
    Animated<double> degrees_;
    double drawnDegrees_ = 0;
    QColor dotColor_;
    QPixmap track_; // the outline, drawn once for a size and colour
    QColor trackColor_;
};

} // namespace vesk
