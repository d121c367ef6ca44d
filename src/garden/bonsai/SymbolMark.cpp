#include "garden/bonsai/SymbolMark.hpp"

#include "shell/anim/Presence.hpp"
#include "shell/theme/Symbols.hpp"

#include <QPainter>
#include <cmath>

namespace vesk {

SymbolMark::SymbolMark(std::string symbol, double points, const QColor& color, double side, QWidget* parent)
    : QWidget(parent), symbol_(std::move(symbol)), points_(points), color_(color) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const int extent = static_cast<int>(std::ceil(side));
    setFixedSize(extent, extent);
}

void SymbolMark::setCircle(const QColor& fill) {
    circle_ = fill;
    update();
}

void SymbolMark::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Presence::apply(painter, this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (circle_.alpha() > 0) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(circle_);
        painter.drawEllipse(QRectF(rect()));
    }
    Symbols::draw(painter, QRectF(rect()), symbol_, points_, color_);
}

} // namespace vesk
