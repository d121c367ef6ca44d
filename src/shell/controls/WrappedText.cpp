#include "shell/controls/WrappedText.hpp"

#include "shell/anim/Presence.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace vesk {

WrappedText::WrappedText(const QString& text, const QFont& font, const QColor& color, QWidget* parent)
    : QWidget(parent), text_(text), font_(font), color_(color) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void WrappedText::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    updateGeometry();
    update();
}

QRectF WrappedText::bounds(double width) const {
    return QFontMetricsF(font_).boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text_);
}

int WrappedText::heightForWidth(int width) const {
    return static_cast<int>(std::ceil(bounds(width).height()));
}

QSize WrappedText::sizeHint() const {
    // As wide as one line would be; a narrower layout wraps it.
    const QRectF line = QFontMetricsF(font_).boundingRect(text_);
    return {static_cast<int>(std::ceil(line.width())), static_cast<int>(std::ceil(line.height()))};
}

QSize WrappedText::minimumSizeHint() const {
    return {0, static_cast<int>(std::ceil(QFontMetricsF(font_).height()))};
}

void WrappedText::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Presence::apply(painter, this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font_);
    painter.setPen(color_);
    painter.drawText(QRectF(rect()), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text_);
}

} // namespace vesk
