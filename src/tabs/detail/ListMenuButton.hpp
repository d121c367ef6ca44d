#pragma once

#include "shell/controls/MenuButton.hpp"
#include "tabs/detail/TaskDetailContent.hpp"

#include <functional>

namespace vesk {

class TextLabel;

// The detail's move-to menu: the list's name and a small chevron on a capsule; a click opens
// one entry per list.
class ListMenuButton final : public MenuButton {
  public:
    explicit ListMenuButton(std::function<void(const UUID&)> onPick, QWidget* parent = nullptr);
    void setMenu(ListMenu menu);
    const ListMenu& menu() const { return menu_; }

  private:
    std::vector<MenuEntry> entries() const;

    ListMenu menu_;
    std::function<void(const UUID&)> onPick_;
    TextLabel* name_;
};

} // namespace vesk
