#include "shell/controls/SymbolLabel.hpp"

#include "shell/anim/Presence.hpp"
#include "shell/theme/Symbols.hpp"

#include <QPainter>
#include <cmath>

namespace vesk {

SymbolLabel::SymbolLabel(std::string symbol, double points, const QColor& color, QWidget* parent)
    : QWidget(parent), symbol_(std::move(symbol)), points_(points), color_(color) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SymbolLabel::setSymbol(std::string symbol) {
    if (symbol == symbol_) return;
    symbol_ = std::move(symbol);
    update();
}

void SymbolLabel::setColor(const QColor& color) {
    if (color == color_) return;
    color_ = color;
    update();
}

QSize SymbolLabel::sizeHint() const {
    const int side = int(std::ceil(Symbols::extent(points_)));
    return {side, side};
}

void SymbolLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Presence::apply(painter, this);
    Symbols::draw(painter, QRectF(rect()), symbol_, points_, color_);
}

} // namespace vesk
