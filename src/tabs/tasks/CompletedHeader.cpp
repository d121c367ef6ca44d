#include "tabs/tasks/CompletedHeader.hpp"

#include "shell/anim/PresencePainter.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Symbols.hpp"
#include "shell/theme/Theme.hpp"
#include "tabs/tasks/TasksContent.hpp"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace vesk {

namespace {

constexpr int spaceAbove = 6;
constexpr int padding = 8;
constexpr double chevronPoints = 9;
constexpr double spacing = 6;

QFont textFont() {
    return Fonts::text(12, FontWeight::medium);
}

} // namespace

CompletedHeader::CompletedHeader(std::size_t count, bool open, QWidget* parent)
    : PaintedControl(parent), quarterTurns_(open ? 1.0 : 0.0, [this] { update(); }) {
    setCount(count);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setFixedHeight(fixedHeight());
}

void CompletedHeader::setCount(std::size_t count) {
    const QString text = QString::fromStdString(completedHeaderText(count));
    if (text == text_) return;
    text_ = text;
    update();
}

void CompletedHeader::setOpen(bool open) {
    quarterTurns_.set(open ? 1.0 : 0.0);
}

int CompletedHeader::fixedHeight() {
    const double line = std::max(QFontMetricsF(textFont()).height(), Symbols::extent(chevronPoints));
    return spaceAbove + 2 * padding + static_cast<int>(std::ceil(line));
}

QSize CompletedHeader::sizeHint() const {
    const double width =
        Symbols::extent(chevronPoints) + spacing + QFontMetricsF(textFont()).horizontalAdvance(text_);
    return {static_cast<int>(std::ceil(width)) + 2 * padding, fixedHeight()};
}

QRect CompletedHeader::hitArea() const {
    return rect().adjusted(0, spaceAbove, 0, 0);
}

void CompletedHeader::mousePressEvent(QMouseEvent* event) {
    // The space above the label is the list's, not the button's.
    if (!hitArea().contains(event->position().toPoint())) return event->ignore();
    PaintedControl::mousePressEvent(event);
}

void CompletedHeader::paintEvent(QPaintEvent*) {
    PresencePainter p(this);
    const QRectF label = QRectF(hitArea()).adjusted(padding, padding, -padding, -padding);
    const double side = Symbols::extent(chevronPoints);
    p.save();
    p.translate(label.left() + side / 2, label.center().y());
    p.rotate(90 * quarterTurns_.value());
    Symbols::draw(p, QRectF(-side / 2, -side / 2, side, side), "chevron.right", chevronPoints,
                  Theme::text2());
    p.restore();
    p.setFont(textFont());
    p.setPen(Theme::text2());
    p.drawText(label.adjusted(side + spacing, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text_);
}

} // namespace vesk
