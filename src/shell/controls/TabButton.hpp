#pragma once

#include "shell/controls/PlainButton.hpp"

#include <string>

namespace vesk {

// One tab of the top bar: its symbol on a 30 × 24 rounded rectangle, filled while selected.
class TabButton final : public PlainButton {
  public:
    TabButton(const std::string& symbol, bool selected, std::function<void()> action,
              QWidget* parent = nullptr);
    void setSelected(bool selected);
    bool isSelected() const { return selected_; }

  private:
    bool selected_ = false;
};

} // namespace vesk
