#include "shell/controls/Chip.hpp"

#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

namespace vesk {

Chip::Chip(const QString& text, State state, const QColor& tint, std::function<void()> action,
           QWidget* parent)
    : PlainButton(parent), selected_(state == State::selected), tint_(tint) {
    setText(text);
    setFont(Fonts::text(11.5, FontWeight::medium));
    setPadding({9, 4, 9, 4});
    setCornerRadius(-1);
    setAction(std::move(action));
    restyle();
}

void Chip::setSelected(bool selected) {
    if (selected == selected_) return;
    selected_ = selected;
    restyle();
}

void Chip::restyle() {
    if (selected_) {
        setColors(Qt::black, Qt::black);
        setFills(tint_, tint_);
    } else {
        setColors(Theme::text2(), Theme::text());
        setFills(Theme::surface(), Theme::surfaceHi());
    }
}

} // namespace vesk
