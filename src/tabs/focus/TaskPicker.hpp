#pragma once

#include "shell/controls/MenuModel.hpp"
#include "shell/controls/PlainButton.hpp"
#include "tabs/focus/FocusContent.hpp"

#include <functional>
#include <optional>
#include <vector>

namespace vesk {

class Store;
class SymbolLabel;
class TextLabel;

// The capsule under the dial that names the task the timer is attached to; a click opens a
// menu of the open tasks to attach instead. Attaching leaves the timer running as it is.
class TaskPicker final : public PlainButton {
  public:
    explicit TaskPicker(Store& store, QWidget* parent = nullptr);

    void setLabel(const TaskPickerLabel& label);
    const TaskPickerLabel& label() const { return label_; }

    // The entries as a menu, one checkable entry per task; `choose` gets the task of the one
    // triggered.
    static std::vector<MenuEntry> menuEntries(const std::vector<TaskPickerEntry>& entries,
                                              const std::function<void(std::optional<UUID>)>& choose);

    // As large as its row of icon, title and chevron.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  private:
    void open();

    Store& store_;
    TaskPickerLabel label_;
    SymbolLabel* icon_;
    TextLabel* text_;
};

} // namespace vesk
