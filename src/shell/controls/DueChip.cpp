#include "shell/controls/DueChip.hpp"

#include "core/format/Fmt.hpp"
#include "shell/anim/PresencePainter.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Symbols.hpp"
#include "shell/theme/Theme.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace vesk {

namespace {

constexpr double symbolPoints = 9;
constexpr double textPoints = 11;
constexpr double spacing = 3;
constexpr double padX = 6;
constexpr double padY = 2;

QFont textFont() {
    return Fonts::text(textPoints, FontWeight::medium);
}

} // namespace

DueChip::DueChip(Date date, Date now, const Calendar& calendar, QWidget* parent)
    : QWidget(parent), calendar_(calendar) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setDate(date, now);
}

const QColor& DueChip::colorFor(Date date, Date now, const Calendar& calendar) {
    const Date today = calendar.startOfDay(now);
    if (date < today) return Theme::danger();
    const auto tomorrow = calendar.addingDays(today, 1);
    if (!tomorrow || date < *tomorrow) return Theme::accent();
    return Theme::text2();
}

void DueChip::setDate(Date date, Date now) {
    text_ = QString::fromStdString(Fmt::due(date, now, calendar_));
    color_ = colorFor(date, now, calendar_);
    updateGeometry();
    update();
}

QSize DueChip::sizeHint() const {
    const QFontMetricsF metrics(textFont());
    const double width =
        Symbols::extent(symbolPoints) + spacing + metrics.horizontalAdvance(text_) + 2 * padX;
    const double height = std::max(metrics.height(), Symbols::extent(symbolPoints)) + 2 * padY;
    return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height))};
}

void DueChip::paintEvent(QPaintEvent*) {
    PresencePainter p(this);
    const QRectF box = rect();

    QColor outline = color_;
    outline.setAlphaF(color_.alphaF() * 0.35f);
    QPainterPath capsule;
    const QRectF inner = box.adjusted(0.5, 0.5, -0.5, -0.5);
    capsule.addRoundedRect(inner, inner.height() / 2, inner.height() / 2);
    p.setPen(QPen(outline, 1));
    p.drawPath(capsule);

    const double side = Symbols::extent(symbolPoints);
    double x = box.left() + padX;
    Symbols::draw(p, QRectF(x, box.center().y() - side / 2, side, side), "calendar", symbolPoints, color_);
    x += side + spacing;
    p.setFont(textFont());
    p.setPen(color_);
    p.drawText(QRectF(x, box.top(), box.right() - x, box.height()), Qt::AlignVCenter | Qt::AlignLeft, text_);
}

} // namespace vesk
