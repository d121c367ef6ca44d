#include "shell/controls/FittedText.hpp"

#include "shell/anim/PresencePainter.hpp"
#include "shell/theme/TabularText.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace vesk {

FittedText::FittedText(const QFont& font, const QColor& color, Qt::Alignment alignment, QWidget* parent)
    : QWidget(parent), font_(font), color_(color), alignment_(alignment) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setFixedHeight(static_cast<int>(std::ceil(QFontMetricsF(font_).height())));
}

void FittedText::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    update();
}

double FittedText::scale(double textWidth, double boxWidth) {
    if (!(textWidth > boxWidth)) return 1;
    return std::max(boxWidth / textWidth, minimumScale);
}

double FittedText::shownScale() const {
    return scale(TabularText::width(font_, text_), width());
}

void FittedText::paintEvent(QPaintEvent*) {
    PresencePainter p(this, QPainter::TextAntialiasing);
    QFont font = font_;
    font.setPointSizeF(font_.pointSizeF() * shownScale());
    p.setFont(font);
    p.setPen(color_);
    const QFontMetricsF metrics(font);
    const double baseline = (height() - metrics.height()) / 2 + metrics.ascent();
    if (const double textWidth = TabularText::width(font, text_); textWidth <= width()) {
        TabularText::draw(p, QPointF(TabularText::alignedLeft(alignment_, width(), textWidth), baseline),
                          text_);
        return;
    }
    p.drawText(QPointF(0, baseline), metrics.elidedText(text_, Qt::ElideRight, width()));
}

} // namespace vesk
