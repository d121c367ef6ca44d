#include "shell/controls/TextLabel.hpp"

#include "shell/anim/PresencePainter.hpp"
#include "shell/theme/TabularText.hpp"
#include "shell/theme/TextDirection.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace vesk {

TextLabel::TextLabel(const QString& text, const QFont& font, const QColor& color, QWidget* parent)
    : QWidget(parent), text_(text), font_(font), color_(color) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void TextLabel::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    updateGeometry();
    update();
}

void TextLabel::setColor(const QColor& color) {
    if (color == color_) return; // a running clock is told its colour every second
    color_ = color;
    update();
}

void TextLabel::setTextFont(const QFont& font) {
    font_ = font;
    updateGeometry();
    update();
}

void TextLabel::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void TextLabel::setTabularDigits(bool tabular) {
    tabular_ = tabular;
    updateGeometry();
    update();
}

QSize TextLabel::sizeHint() const {
    const QFontMetricsF metrics(font_);
    const double width = tabular_ ? TabularText::width(font_, text_) : metrics.horizontalAdvance(text_);
    return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(metrics.height()))};
}

QSize TextLabel::minimumSizeHint() const {
    // Tabular text is a count or a clock: never cut it short.
    return {tabular_ ? sizeHint().width() : 0, sizeHint().height()};
}

void TextLabel::paintEvent(QPaintEvent*) {
    PresencePainter p(this, QPainter::TextAntialiasing);
    p.setFont(font_);
    p.setPen(color_);
    const QFontMetricsF metrics(font_);
    if (!tabular_) {
        p.drawText(rect(), TextDirection::drawFlags(text_, alignment_),
                   metrics.elidedText(text_, Qt::ElideRight, width()));
        return;
    }
    const double x = TabularText::alignedLeft(alignment_, width(), TabularText::width(font_, text_));
    TabularText::draw(p, QPointF(x, (height() - metrics.height()) / 2 + metrics.ascent()), text_);
}

} // namespace vesk
