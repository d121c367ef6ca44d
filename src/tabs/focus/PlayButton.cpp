#include "tabs/focus/PlayButton.hpp"

#include "shell/anim/PresencePainter.hpp"
#include "shell/theme/Symbols.hpp"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace vesk {

namespace {

constexpr double glyphPoints = 17;
// The play triangle's weight sits left of its box; this centres it by eye.
constexpr double playShift = 1.5;

} // namespace

PlayButton::PlayButton(QWidget* parent) : PaintedControl(parent) {
    setFixedSize(side, side);
}

void PlayButton::setLook(const std::string& symbol, const QColor& fill) {
    if (symbol == symbol_ && fill == fill_) return;
    symbol_ = symbol;
    fill_ = fill;
    update();
}

void PlayButton::paintEvent(QPaintEvent*) {
    PresencePainter p(this);
    const QRectF box = rect();
    p.setPen(Qt::NoPen);
    p.setBrush(fill_);
    p.drawEllipse(box);
    const double shift = symbol_ == "play.fill" ? playShift : 0;
    Symbols::draw(p, box.translated(shift, 0), symbol_, glyphPoints, Qt::black);
}

void PlayButton::mousePressEvent(QMouseEvent* event) {
    // Only the circle takes the press, not the corners of its square.
    const QPointF offset = event->position() - QRectF(rect()).center();
    if (std::hypot(offset.x(), offset.y()) > side / 2.0) {
        event->ignore();
        return;
    }
    PaintedControl::mousePressEvent(event);
}

} // namespace vesk
