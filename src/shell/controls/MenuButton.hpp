#pragma once

#include "shell/controls/MenuModel.hpp"
#include "shell/controls/PlainButton.hpp"

#include <QMenu>
#include <QPointer>
#include <functional>
#include <vector>

class QHBoxLayout;

namespace vesk {

// A menu shown as a plain button at its ideal size, with no chrome and no menu indicator of
// its own: a click opens the entries below it, built from the model at that moment. The label
// is the button's own symbol and text, or the parts (symbols, texts) laid in its label row.
class MenuButton : public PlainButton {
  public:
    explicit MenuButton(QWidget* parent = nullptr);

    void setEntries(std::function<std::vector<MenuEntry>()> entries) { entries_ = std::move(entries); }
    // The row that lays out the label's parts; made on first use with this padding and spacing.
    QHBoxLayout* labelRow(const QMargins& padding, int spacing);

    // Opens the menu as a click does; it closes by itself once an entry is chosen.
    void openMenu();
    // The menu while it is open; null otherwise.
    QMenu* shownMenu() const { return menu_; }

    QSize sizeHint() const override;
    // A label row may give way (a long name elided) where the button's policy lets it.
    QSize minimumSizeHint() const override;

  private:
    std::function<std::vector<MenuEntry>()> entries_;
    QPointer<QMenu> menu_;
};

} // namespace vesk
