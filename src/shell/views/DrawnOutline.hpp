#pragma once

#include <QPainterPath>
#include <functional>

namespace vesk {

// A view that draws only inside an outline of its own, smaller than its rectangle, and says
// when that outline changes: the panel window shows no more than what its views draw.
class DrawnOutline {
  public:
    // In the view's own coordinates.
    virtual QPainterPath outline() const = 0;
    void setOnOutlineChanged(std::function<void()> changed) { onOutlineChanged_ = std::move(changed); }

  protected:
    ~DrawnOutline() = default;
    void outlineChanged() const {
        if (onOutlineChanged_) onOutlineChanged_();
    }

  private:
    std::function<void()> onOutlineChanged_;
};

} // namespace vesk
