#pragma once

#include "shell/controls/MenuModel.hpp"

#include <QMenu>
#include <optional>
#include <vector>

namespace vesk {

// A menu of the tarnel: the entries of a `MenuEntry` list on the dark surface of the theme,
// with a hairline border, Inter, checks and submenu arrows. Toggles become checkable entries,
// pickers exclusive choices (inline or in a submenu), destructive entries take the danger
// colour. Every menu of the program is one of these, so that none shows the toolkit's
// light default beside the black panel.
class ThemedMenu final : public QMenu {
  public:
    explicit ThemedMenu(const std::vector<MenuEntry>& entries, QWidget* parent = nullptr);

    // Where this menu opens under `button`, `gap` below it, in global coordinates: aligned to
    // its left edge, or to its right edge when the button sits in the right half of its
    // parent, so that the menu stays inside the tarnel. A menu longer than the room below it
    // on the screen is cut to that room and scrolls, rather than cover the button.
    QPoint originUnder(const QWidget& button, int gap);

    // Menus opened from inside `area` (their submenus too) stay below its top edge, so that
    // none covers what stands above it.
    static void keepMenusBelowTopOf(QWidget& area);

    // Where the menu may stand on its screen: below the button it opens under, or below the
    // top of the area it was opened from. Whatever does not fit in it scrolls.
    QRect room() const;

    // Reports a menu taller than its room as taller than its screen, the one case in which
    // the toolkit makes a menu scroll.
    QSize sizeHint() const override;

    // What an entry's action carries for the style to paint it.
    static bool isDanger(const QAction& action);
    static QString symbolOf(const QAction& action);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void add(const MenuEntry& entry);

    std::optional<QPoint> origin_; // below a button with room enough under it
};

} // namespace vesk
