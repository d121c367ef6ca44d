#pragma once

#include "shell/controls/PaintedControl.hpp"

#include <functional>

namespace vesk {

// The round completion check box of a task: an outline while open, the accent green with a
// check mark while done. Hovering an open one previews the tick; a done one does not react.
class CheckCircle final : public PaintedControl {
  public:
    CheckCircle(bool done, double size, std::function<void()> action, QWidget* parent = nullptr);

    void setDone(bool done);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool done_;
    double size_;
};

} // namespace vesk
