#include "shell/controls/MenuButton.hpp"

#include "shell/controls/ThemedMenu.hpp"

#include <QHBoxLayout>

namespace vesk {

namespace {

constexpr int menuGap = 4;

} // namespace

MenuButton::MenuButton(QWidget* parent) : PlainButton(parent) {
    setFills(Qt::transparent, Qt::transparent);
    setPadding({});
    setAction([this] { openMenu(); });
}

QHBoxLayout* MenuButton::labelRow(const QMargins& padding, int spacing) {
    if (auto* row = static_cast<QHBoxLayout*>(layout())) return row;
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(padding);
    row->setSpacing(spacing);
    return row;
}

void MenuButton::openMenu() {
    if (!entries_ || menu_) return;
    auto* menu = new ThemedMenu(entries_(), this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(menu->originUnder(*this, menuGap));
    menu_ = menu;
}

QSize MenuButton::sizeHint() const {
    return layout() ? layout()->sizeHint() : PlainButton::sizeHint();
}

QSize MenuButton::minimumSizeHint() const {
    return layout() ? layout()->minimumSize() : PlainButton::sizeHint();
}

} // namespace vesk
