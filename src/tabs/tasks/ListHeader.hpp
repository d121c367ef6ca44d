#pragma once

#include "shell/state/ContentBinding.hpp"
#include "tabs/tasks/ListHeaderContent.hpp"

#include <QWidget>
#include <optional>

namespace vesk {

class MenuButton;
class Store;
class SymbolLabel;
class TextField;
class TextLabel;

// The task list's top row: the list picker (or, while a list is being named, the list-name
// field in its place) and, unless the starred view is on, the filter menu at the right.
// The typed name belongs to this showing of the screen.
class ListHeader final : public QWidget {
  public:
    explicit ListHeader(Store& store, QWidget* parent = nullptr);

    MenuButton* picker() const { return picker_; }
    MenuButton* filter() const { return filter_; }
    TextField* nameField() const { return field_; }
    const std::optional<ListNameDraft>& draft() const { return draft_; }
    const ListPickerLabel& label() const { return content_.content().label; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void startNaming(ListNameDraft draft);
    void commit();
    void endNaming();

    Store& store_;
    std::optional<ListNameDraft> draft_;
    MenuButton* picker_;
    SymbolLabel* star_;
    TextLabel* title_;
    TextField* field_;
    MenuButton* filter_;
    struct Content {
        ListPickerLabel label;
        bool filterShown = false;
        bool operator==(const Content&) const = default;
    };
    ContentBinding<Content> content_;
};

} // namespace vesk
