#include "shell/controls/TabButton.hpp"

#include "shell/theme/Theme.hpp"

namespace vesk {

TabButton::TabButton(const std::string& symbol, bool selected, std::function<void()> action, QWidget* parent)
    : PlainButton(parent) {
    setSymbol(symbol, 12.5);
    setCornerRadius(8);
    setFixedSize(30, 24);
    setAction(std::move(action));
    selected_ = !selected;
    setSelected(selected);
}

void TabButton::setSelected(bool selected) {
    if (selected_ == selected) return;
    selected_ = selected;
    if (selected) {
        setColors(Theme::text(), Theme::text());
        setFills(Theme::surfaceHi(), Theme::surfaceHi());
    } else {
        setColors(Theme::text3(), Theme::text2());
        setFills(Qt::transparent, Qt::transparent);
    }
}

} // namespace vesk
