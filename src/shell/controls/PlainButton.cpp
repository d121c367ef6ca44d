#include "shell/controls/PlainButton.hpp"

#include "shell/anim/PresencePainter.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Symbols.hpp"
#include "shell/theme/Theme.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace vesk {

PlainButton::PlainButton(QWidget* parent)
    : PaintedControl(parent), font_(Fonts::text(12, FontWeight::medium)), color_(Theme::text2()),
      hoverColor_(Theme::text()), fill_(Qt::transparent), hoverFill_(Theme::surfaceHi()),
      padding_(8, 4, 8, 4) {
    // A button keeps its ideal size unless its view frames it.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void PlainButton::setText(const QString& text) {
    text_ = text;
    updateGeometry();
    update();
}

void PlainButton::setSymbol(const std::string& symbol, double points) {
    symbol_ = symbol;
    symbolPoints_ = points;
    updateGeometry();
    update();
}

void PlainButton::setFont(const QFont& font) {
    font_ = font;
    updateGeometry();
    update();
}

void PlainButton::setColors(const QColor& color, const QColor& hoverColor) {
    color_ = color;
    hoverColor_ = hoverColor;
    update();
}

void PlainButton::setFills(const QColor& fill, const QColor& hoverFill) {
    fill_ = fill;
    hoverFill_ = hoverFill;
    update();
}

void PlainButton::setCornerRadius(double radius) {
    radius_ = radius;
    update();
}

void PlainButton::setPadding(const QMargins& padding) {
    padding_ = padding;
    updateGeometry();
}

QSizeF PlainButton::contentSize() const {
    const QFontMetricsF metrics(font_);
    const double symbol = symbol_.empty() ? 0 : Symbols::extent(symbolPoints_);
    const double textWidth = text_.isEmpty() ? 0 : metrics.horizontalAdvance(text_);
    const double gap = symbol > 0 && textWidth > 0 ? spacing_ : 0;
    const double height = std::max(symbol, text_.isEmpty() ? 0.0 : metrics.height());
    return {symbol + gap + textWidth, height};
}

QSize PlainButton::sizeHint() const {
    const QSizeF content = contentSize();
    return {static_cast<int>(std::ceil(content.width())) + padding_.left() + padding_.right(),
            static_cast<int>(std::ceil(content.height())) + padding_.top() + padding_.bottom()};
}

void PlainButton::paintEvent(QPaintEvent*) {
    PresencePainter p(this);
    const QRectF box = rect();
    const bool hot = isHovered();
    const QColor fill = hot ? hoverFill_ : fill_;
    if (fill.alpha() > 0) {
        const double radius = radius_ < 0 ? box.height() / 2 : radius_;
        QPainterPath shape;
        shape.addRoundedRect(box, radius, radius);
        p.fillPath(shape, fill);
    }
    const QColor color = hot ? hoverColor_ : color_;
    const QSizeF content = contentSize();
    double x = box.center().x() - content.width() / 2;
    if (!symbol_.empty()) {
        const double side = Symbols::extent(symbolPoints_);
        Symbols::draw(p, QRectF(x, box.center().y() - side / 2, side, side), symbol_, symbolPoints_, color);
        x += side + (text_.isEmpty() ? 0 : spacing_);
    }
    if (!text_.isEmpty()) {
        p.setFont(font_);
        p.setPen(color);
        p.drawText(QRectF(x, box.top(), box.right() - x, box.height()), Qt::AlignVCenter | Qt::AlignLeft,
                   text_);
    }
}

} // namespace vesk
