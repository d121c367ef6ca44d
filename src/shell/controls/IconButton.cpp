#include "shell/controls/IconButton.hpp"

#include "shell/theme/Theme.hpp"

#include <cmath>

namespace vesk {

IconButton::IconButton(const std::string& symbol, double size, const QColor& tint, const QString& help,
                       std::function<void()> action, QWidget* parent)
    : PlainButton(parent), size_(size) {
    setSymbol(symbol, size);
    setTint(tint);
    setFills(Qt::transparent, Theme::surfaceHi());
    setCornerRadius(7);
    setPadding({});
    setFixedSize(static_cast<int>(std::ceil(size + 14)), static_cast<int>(std::ceil(size + 12)));
    setHelp(help);
    setAction(std::move(action));
}

void IconButton::setTint(const QColor& tint) {
    setColors(tint, Theme::text());
}

void IconButton::setIcon(const std::string& symbol) {
    setSymbol(symbol, size_);
}

} // namespace vesk
