#include "shell/views/TimerChip.hpp"

#include "core/store/Store.hpp"
#include "shell/anim/PresencePainter.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/TabularText.hpp"
#include "shell/theme/Theme.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace vesk {

TimerChip::TimerChip(Store& store, QWidget* parent)
    : PaintedControl(parent), font_(Fonts::text(11.5, FontWeight::semibold, FontDesign::rounded)) {
    look_.bind(
        {store.timer, store.now}, [&store] { return timerLook(store); },
        [this](const ContentChange<TimerLook>& change) {
            if (change.before && change.now.clock.size() != change.before->clock.size()) updateGeometry();
            update();
        });
}

QSize TimerChip::sizeHint() const {
    const QFontMetricsF metrics(font_);
    const double textWidth = TabularText::width(font_, QString::fromStdString(look().clock));
    return {int(std::ceil(padding_ + dotSize_ + spacing_ + textWidth + padding_)),
            int(std::ceil(4 + metrics.height() + 4))};
}

void TimerChip::paintEvent(QPaintEvent*) {
    PresencePainter painter(this);
    const QRectF bounds = rect();
    painter.setPen(Qt::NoPen);
    painter.setBrush(isHovered() ? Theme::surfaceHi() : Theme::surface());
    painter.drawRoundedRect(bounds, bounds.height() / 2, bounds.height() / 2);

    const bool paused = !look().running;
    painter.setBrush(paused ? Theme::text3() : look().tint);
    painter.drawEllipse(QRectF(padding_, (bounds.height() - dotSize_) / 2, dotSize_, dotSize_));

    painter.setFont(font_);
    painter.setPen(paused ? Theme::text2() : look().tint);
    // Tabular digits, as measured: the clock keeps its width and the chip its padding of 8.
    const QFontMetricsF metrics(font_);
    const double baseline = (bounds.height() - metrics.height()) / 2 + metrics.ascent();
    TabularText::draw(painter, QPointF(padding_ + dotSize_ + spacing_, baseline),
                      QString::fromStdString(look().clock));
}

} // namespace vesk
