#pragma once

#include "shell/controls/PaintedControl.hpp"
#include "tabs/detail/TaskDetailContent.hpp"

#include <functional>

namespace vesk {

// The detail's move-to menu: the list's name and a small chevron on a capsule; a click opens
// one entry per list.
class ListMenuButton final : public PaintedControl {
  public:
    explicit ListMenuButton(std::function<void(const UUID&)> onPick, QWidget* parent = nullptr);
    void setMenu(ListMenu menu);
    const ListMenu& menu() const { return menu_; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void open();

    ListMenu menu_;
    std::function<void(const UUID&)> onPick_;
};

} // namespace vesk
