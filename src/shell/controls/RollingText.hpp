#pragma once

#include "shell/anim/Animated.hpp"

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

namespace vesk {

// A number or clock as text whose changed characters roll: the old ones slide out and
// the new ones in, upwards when counting up and downwards when counting down. Digits keep a
// fixed width, so the text does not jiggle as it changes.
class RollingText final : public QWidget {
  public:
    enum class Direction { up, down };

    // The roll of a clock's digits.
    static constexpr Animation roll = Animation::makeSpring(0.5, 0.85);

    explicit RollingText(QWidget* parent = nullptr, AnimationManager* manager = nullptr);

    // Rolls from the shown text to `text`; the first text shows at once.
    void setText(const QString& text, Direction direction = Direction::up, const Animation& animation = roll);
    void setTextFont(const QFont& font);
    void setColor(const QColor& color);
    void setAlignment(Qt::Alignment alignment);
    // How often a roll redraws (0: every frame): a small clock that rolls every second of
    // the day need not redraw sixty times a second.
    void setFrameRate(double framesPerSecond) { progress_.setFrameRate(framesPerSecond); }

    const QString& text() const { return text_; }
    bool isRolling() const { return progress_.isAnimating(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void fitResolution();
    // Where the characters that differ between the shown and the previous text start.
    double changedLeft() const;

    QString text_;
    QString previous_;
    Direction direction_ = Direction::up;
    QFont font_;
    QColor color_;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
    Animated<double> progress_;
    double rollLeft_ = 0; // nothing left of it moves in the current roll
};

} // namespace vesk
