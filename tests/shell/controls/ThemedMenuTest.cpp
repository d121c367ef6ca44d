#include "shell/controls/ThemedMenu.hpp"

#include "shell/WidgetEvents.hpp"
#include "shell/theme/Theme.hpp"

#include <QKeySequence>
#include <QScreen>
#include <gtest/gtest.h>

namespace vesk {
namespace {

struct Chosen {
    std::vector<std::string> log;
    std::function<void()> note(std::string what) {
        return [this, what] { log.push_back(what); };
    }
};

std::vector<MenuEntry> sample(Chosen& chosen) {
    return {
        MenuEntry::toggle("Sounds", true, [&chosen](bool on) { chosen.log.push_back(on ? "on" : "off"); }),
        MenuEntry::toggle("Auto-start breaks", false, {}),
        MenuEntry::picker("Focus length",
                          {{"5 min", false, chosen.note("5")}, {"25 min", true, chosen.note("25")}}),
        MenuEntry::picker("Sort by",
                          {{"My order", true, chosen.note("mine")}, {"Date", false, chosen.note("date")}})
            .shownInline(),
        MenuEntry::submenu("Move to", {MenuEntry::button("Work & Life", chosen.note("moved"))}),
        MenuEntry::text("Toggle Vesk  Alt+Space"),
        MenuEntry::button("Delete all completed", {}).disabledUnless(false),
        MenuEntry::divider(),
        MenuEntry::button("Delete", chosen.note("deleted")).destructive(),
    };
}

int checkedCount(const QList<QAction*>& actions) {
    int checked = 0;
    for (const QAction* action : actions)
        checked += action->isChecked();
    return checked;
}

TEST(ThemedMenuTest, EntriesBecomeChecksExclusiveChoicesSubmenusAndPlainTitles) {
    Chosen chosen;
    ThemedMenu menu(sample(chosen));
    const QList<QAction*> actions = menu.actions();
    ASSERT_EQ(actions.size(), 10); // the inline picker's two choices stand in the menu itself

    EXPECT_TRUE(actions[0]->isCheckable() && actions[0]->isChecked());
    actions[0]->trigger();
    EXPECT_EQ(chosen.log.back(), "off");

    QMenu* lengths = actions[2]->menu();
    ASSERT_TRUE(lengths);
    EXPECT_EQ(checkedCount(lengths->actions()), 1);
    lengths->actions()[0]->trigger();
    EXPECT_EQ(chosen.log.back(), "5");
    EXPECT_EQ(checkedCount(lengths->actions()), 1);

    actions[4]->trigger(); // "Date", inline
    EXPECT_EQ(chosen.log.back(), "date");
    EXPECT_FALSE(actions[3]->isChecked());

    QMenu* moveTo = actions[5]->menu();
    ASSERT_TRUE(moveTo);
    EXPECT_TRUE(QKeySequence::mnemonic(moveTo->actions()[0]->text()).isEmpty()); // "&" is a character
    moveTo->actions()[0]->trigger();
    EXPECT_EQ(chosen.log.back(), "moved");

    EXPECT_FALSE(actions[6]->isEnabled()); // the hot-key line does nothing
    EXPECT_FALSE(actions[7]->isEnabled());
    EXPECT_TRUE(actions[8]->isSeparator());
    EXPECT_TRUE(ThemedMenu::isDanger(*actions[9]));
    EXPECT_FALSE(ThemedMenu::isDanger(*actions[0]));
}

bool lit(const QColor& c) {
    return c.lightness() > 90;
}

bool anyPixel(const QImage& image, const QRect& area, const std::function<bool(QColor)>& test) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (test(image.pixelColor(x, y))) return true;
    return false;
}

TEST(ThemedMenuTest, PaintsTheDarkSurfaceWithVisibleChecksArrowsAndDangerEntries) {
    Chosen chosen;
    ThemedMenu menu(sample(chosen));
    menu.ensurePolished();
    menu.resize(menu.sizeHint());
    QImage image(menu.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    menu.render(&image);
    const QList<QAction*> actions = menu.actions();
    auto row = [&](int index) { return menu.actionGeometry(actions[index]); };

    // The margin above the rows: the tarnel's black with the surface tint over it.
    const QColor surface = image.pixelColor(menu.width() / 2, 2);
    EXPECT_LT(surface.lightness(), 30);
    EXPECT_EQ(surface.alpha(), 255);

    const auto gutter = [&](int index) {
        return QRect(row(index).left() + 4, row(index).top(), 18, row(index).height());
    };
    EXPECT_TRUE(anyPixel(image, gutter(0), lit));  // "Sounds" is on: its check shows
    EXPECT_FALSE(anyPixel(image, gutter(1), lit)); // "Auto-start breaks" is off
    const QRect arrow(row(2).right() - 16, row(2).top(), 14, row(2).height());
    EXPECT_TRUE(anyPixel(image, arrow, [](QColor c) { return c.lightness() > 60; }));
    const QColor danger = Theme::danger();
    EXPECT_TRUE(anyPixel(image, row(9), [&](QColor c) {
        return c.red() > 150 && std::abs(c.green() - danger.green()) < 40 && c.red() - c.green() > 60;
    }));
    EXPECT_FALSE(anyPixel(image, row(0), [](QColor c) { return c.red() - c.green() > 60; }));
}

std::vector<MenuEntry> listEntries(int count) {
    std::vector<MenuEntry> lists{MenuEntry::button(std::string(120, 'n'), {})};
    for (int i = 1; i < count; ++i)
        lists.push_back(MenuEntry::button("List " + std::to_string(i), {}));
    return lists;
}

// Shown inside `room`, one column no wider than a shortened long name, the last entry
// further down; scrolled to that entry (Up from the first goes round to it) the menu stays
// where it is.
void scrollsWithin(QMenu& menu, const QRect& room) {
    EXPECT_TRUE(room.contains(menu.geometry())) << menu.y() << " + " << menu.height();
    const QList<QAction*> entries = menu.actions();
    EXPECT_EQ(menu.actionGeometry(entries.front()).left(), menu.actionGeometry(entries.back()).left());
    EXPECT_LT(menu.width(), 360);
    EXPECT_GT(menu.actionGeometry(entries.back()).top(), menu.height());
    const QRect placed = menu.geometry();
    test::pressKey(&menu, Qt::Key_Down);
    test::pressKey(&menu, Qt::Key_Up);
    EXPECT_EQ(menu.activeAction(), entries.back());
    EXPECT_EQ(menu.geometry(), placed);
    EXPECT_TRUE(menu.rect().contains(menu.actionGeometry(entries.back())));
}

TEST(ThemedMenuTest, ALongMenuScrollsInItsRoomBelowItsButtonOrItsAreaAndLongTitlesAreShortened) {
    ThemedMenu probe({});
    const QRect screen = probe.screen()->availableGeometry();
    QWidget window;
    window.setGeometry(screen.left() + 100, screen.top() + 10, 300, screen.height() * 3 / 4);
    auto* area = new QWidget(&window);
    area->setGeometry(0, 40, 300, window.height() - 40);
    ThemedMenu::keepMenusBelowTopOf(*area);
    auto* button = new QWidget(area);
    button->setGeometry(10, 10, 80, 26);
    window.show();

    // "Move to" of a row in the area: below the area's top, down to the screen's bottom.
    ThemedMenu rowMenu({MenuEntry::submenu("Move to", listEntries(203))}, button);
    QMenu& moveTo = *rowMenu.actions()[0]->menu();
    moveTo.popup(screen.topLeft() + QPoint(20, 0));
    scrollsWithin(moveTo, screen.adjusted(0, 50, 0, 0));
    EXPECT_EQ(moveTo.geometry().top(), screen.top() + 50);
    moveTo.hide();

    // A list picker under its button, with more lists than the screen holds, or with fewer
    // but more than the room below the button.
    for (const int lists : {203, 20}) {
        if (lists == 20) button->move(10, screen.height() / 2);
        ThemedMenu picker(listEntries(lists));
        const QPoint origin = picker.originUnder(*button, 4);
        picker.popup(origin);
        scrollsWithin(picker, screen);
        EXPECT_EQ(picker.geometry().top(), origin.y());
        EXPECT_EQ(picker.geometry().bottom(), screen.bottom());
        picker.hide();
    }
}

} // namespace
} // namespace vesk
