#include "shell/controls/CheckCircle.hpp"

#include "shell/anim/PresencePainter.hpp"
#include "shell/theme/Symbols.hpp"
#include "shell/theme/Theme.hpp"

#include <QPainter>
#include <cmath>

namespace vesk {

namespace {

constexpr double outlineWidth = 1.4;

} // namespace

CheckCircle::CheckCircle(bool done, double size, std::function<void()> action, QWidget* parent)
    : PaintedControl(parent), done_(done), size_(size) {
    const int side = static_cast<int>(std::ceil(size));
    setFixedSize(side, side);
    setAction(std::move(action));
}

void CheckCircle::setDone(bool done) {
    if (done == done_) return;
    done_ = done;
    update();
}

void CheckCircle::paintEvent(QPaintEvent*) {
    PresencePainter p(this);
    const QRectF circle(QPointF((width() - size_) / 2, (height() - size_) / 2), QSizeF(size_, size_));
    if (done_) {
        p.setPen(Qt::NoPen);
        p.setBrush(Theme::accent());
        p.drawEllipse(circle);
        Symbols::draw(p, circle, "checkmark", size_ * 0.5, Qt::black);
        return;
    }
    const bool hot = isHovered();
    const QColor& color = hot ? Theme::accent() : Theme::text3();
    // The stroke lies inside the circle's border.
    const double inset = outlineWidth / 2;
    p.setPen(QPen(color, outlineWidth));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(circle.adjusted(inset, inset, -inset, -inset));
    if (hot) Symbols::draw(p, circle, "checkmark", size_ * 0.48, Theme::accent());
}

} // namespace vesk
