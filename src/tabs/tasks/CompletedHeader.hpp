#pragma once

#include "shell/anim/Animated.hpp"
#include "shell/controls/PaintedControl.hpp"

#include <cstddef>

namespace vesk {

// The header of the completed section: a chevron that points down while the section is
// open, and "Completed (N)". The whole line toggles the section.
class CompletedHeader final : public PaintedControl {
  public:
    CompletedHeader(std::size_t count, bool open, QWidget* parent = nullptr);

    static int fixedHeight();

    void setCount(std::size_t count);
    // Turns the chevron along the current animation.
    void setOpen(bool open);
    const QString& text() const { return text_; }

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QRect hitArea() const;

    QString text_;
    Animated<double> quarterTurns_;
};

} // namespace vesk
