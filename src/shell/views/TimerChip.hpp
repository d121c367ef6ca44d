#pragma once

#include "shell/controls/PaintedControl.hpp"
#include "shell/state/CollapsedContent.hpp"
#include "shell/state/ContentBinding.hpp"

#include <QFont>

namespace vesk {

class Store;

// The top bar's compact timer: a dot and the clock on a capsule; a click opens the focus
// tab (the action the owner sets).
class TimerChip final : public PaintedControl {
  public:
    explicit TimerChip(Store& store, QWidget* parent = nullptr);
    const TimerLook& look() const { return look_.content(); }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QFont font_;
    ContentBinding<TimerLook> look_;
    static constexpr double padding_ = 8; // left and right
    static constexpr double dotSize_ = 6;
    static constexpr double spacing_ = 5;
};

} // namespace vesk
