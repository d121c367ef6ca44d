#pragma once

#include "shell/controls/PlainButton.hpp"
#include "shell/state/TarnelMenuItems.hpp"

namespace vesk {

// The top bar's "…" button; its menu holds the full entries, built afresh each time it opens
// so that the timer state and the launch-at-login status are current.
class SettingsMenu final : public PlainButton {
  public:
    SettingsMenu(Store& store, MenuServices services, QWidget* parent = nullptr);

  private:
    void open();

    Store& store_;
    MenuServices services_;
};

} // namespace vesk
