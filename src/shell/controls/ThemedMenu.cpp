#include "shell/controls/ThemedMenu.hpp"

#include "shell/controls/MenuStyle.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <QActionGroup>
#include <QScreen>
#include <algorithm>

namespace vesk {
namespace {

constexpr const char* dangerProperty = "veskDanger";
constexpr const char* symbolProperty = "veskSymbol";
constexpr const char* menuAreaProperty = "veskMenuArea";
constexpr int minimumRoomRows = 6;

// The top edge of the marked area the menu was opened from, in global coordinates.
std::optional<int> ceilingOf(const QWidget& menu) {
    for (const QWidget* widget = menu.parentWidget(); widget; widget = widget->parentWidget())
        if (widget->property(menuAreaProperty).toBool()) return widget->mapToGlobal(QPoint(0, 0)).y();
    return std::nullopt;
}

// Moved rather than cut while it fits in the room; cut to the room, and scrolling, when not.
QRect placedIn(const QRect& room, QRect menu) {
    menu.setSize(menu.size().boundedTo(room.size()));
    menu.moveTop(std::clamp(menu.top(), room.top(), room.bottom() + 1 - menu.height()));
    menu.moveLeft(std::clamp(menu.left(), room.left(), room.right() + 1 - menu.width()));
    return menu;
}

// Titles are the user's own words (list and task names): an "&" is a character, not the
// mark of a keyboard accelerator.
QString titleOf(const std::string& text) {
    return QString::fromStdString(text).replace('&', QStringLiteral("&&"));
}

QPalette menuPalette() {
    QPalette palette;
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, Theme::tarnel());
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, Theme::text());
    palette.setColor(QPalette::Disabled, QPalette::WindowText, Theme::text3());
    palette.setColor(QPalette::Disabled, QPalette::Text, Theme::text3());
    palette.setColor(QPalette::Highlight, Theme::surfaceHi());
    palette.setColor(QPalette::HighlightedText, Theme::text());
    return palette;
}

} // namespace

ThemedMenu::ThemedMenu(const std::vector<MenuEntry>& entries, QWidget* parent) : QMenu(parent) {
    // Rounded corners over whatever lies beneath.
    setAttribute(Qt::WA_TranslucentBackground);
    setStyle(&MenuStyle::shared());
    setFont(Fonts::text(13));
    setPalette(menuPalette());
    for (const MenuEntry& entry : entries)
        add(entry);
}

bool ThemedMenu::isDanger(const QAction& action) {
    return action.property(dangerProperty).toBool();
}

QString ThemedMenu::symbolOf(const QAction& action) {
    return action.property(symbolProperty).toString();
}

void ThemedMenu::add(const MenuEntry& entry) {
    using Kind = MenuEntry::Kind;
    switch (entry.kind) {
    case Kind::divider:
        addSeparator();
        return;
    case Kind::submenu: {
        auto* submenu = new ThemedMenu(entry.entries, this);
        submenu->setTitle(titleOf(entry.title));
        addMenu(submenu)->setEnabled(entry.enabled);
        return;
    }
    case Kind::picker: {
        QMenu* target = this;
        if (!entry.inlined) {
            target = new ThemedMenu({}, this);
            target->setTitle(titleOf(entry.title));
            addMenu(target)->setEnabled(entry.enabled);
        }
        auto* group = new QActionGroup(target);
        group->setExclusive(true);
        for (const MenuChoice& choice : entry.choices) {
            QAction* action = target->addAction(titleOf(choice.title));
            action->setCheckable(true);
            action->setChecked(choice.selected);
            action->setEnabled(entry.enabled);
            group->addAction(action);
            if (choice.chosen) connect(action, &QAction::triggered, action, choice.chosen);
        }
        return;
    }
    case Kind::button:
    case Kind::toggle:
    case Kind::text:
        break;
    }
    QAction* action = addAction(titleOf(entry.title));
    action->setEnabled(entry.enabled && entry.kind != Kind::text);
    action->setProperty(dangerProperty, entry.danger);
    if (!entry.symbol.empty()) action->setProperty(symbolProperty, QString::fromStdString(entry.symbol));
    if (entry.kind == Kind::toggle) {
        action->setCheckable(true);
        action->setChecked(entry.checked);
        if (entry.toggled) connect(action, &QAction::toggled, action, entry.toggled);
    } else if (entry.triggered) {
        connect(action, &QAction::triggered, action, entry.triggered);
    }
}

QPoint ThemedMenu::originUnder(const QWidget& button, int gap) {
    const QWidget* parent = button.parentWidget();
    const bool atRight = parent && button.geometry().center().x() > parent->width() / 2;
    const int x = atRight ? button.width() - sizeHint().width() : 0;
    const QPoint origin = button.mapToGlobal(QPoint(x, button.height() + gap));
    const int room = button.screen()->availableGeometry().bottom() + 1 - origin.y();
    // With hardly any room below, the toolkit places the menu where it fits.
    origin_ = room >= minimumRoomRows * MenuStyle::rowHeight ? std::optional(origin) : std::nullopt;
    return origin;
}

void ThemedMenu::keepMenusBelowTopOf(QWidget& area) {
    area.setProperty(menuAreaProperty, true);
}

QRect ThemedMenu::room() const {
    QRect room = screen()->availableGeometry();
    const std::optional<int> top = origin_ ? std::optional(origin_->y()) : ceilingOf(*this);
    if (top && *top > room.top() && *top < room.bottom()) room.setTop(*top);
    return room;
}

QSize ThemedMenu::sizeHint() const {
    QSize hint = QMenu::sizeHint();
    // Only while it opens: once shown, the toolkit resizes a menu to its hint when an
    // entry changes.
    if (!isVisible() && hint.height() > room().height())
        hint.setHeight(screen()->availableGeometry().height() + 1);
    return hint;
}

void ThemedMenu::showEvent(QShowEvent* event) {
    QMenu::showEvent(event);
    const QRect placed = placedIn(room(), geometry());
    if (placed != geometry()) setGeometry(placed);
}

} // namespace vesk
