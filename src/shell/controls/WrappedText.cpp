#include "shell/controls/WrappedText.hpp"

#include "shell/anim/Presence.hpp"
#include "shell/theme/TextDirection.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace vesk {

WrappedText::WrappedText(const QString& text, const QFont& font, const QColor& color, QWidget* parent)
    : QWidget(parent), text_(text), font_(font), color_(color) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Not Fixed: that would hold it to the one line of its size hint.
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void WrappedText::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    measuredWidth_ = -1;
    updateGeometry();
    update();
}

void WrappedText::setColor(const QColor& color) {
    if (color == color_) return;
    color_ = color;
    update();
}

void WrappedText::setMaximumLines(int lines) {
    maximumLines_ = std::max(0, lines);
    measuredWidth_ = -1;
    updateGeometry();
    update();
}

QStringList WrappedText::lines(int width) const {
    QString laidOut = text_;
    laidOut.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(laidOut, font_);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList shown;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(1, width));
        if (maximumLines_ > 0 && shown.size() + 1 == maximumLines_) {
            // The last line takes the rest of the text, cut short.
            const QString rest = text_.mid(line.textStart()).simplified();
            shown << QFontMetricsF(font_).elidedText(rest, Qt::ElideRight, width);
            break;
        }
        shown << laidOut.mid(line.textStart(), line.textLength()).remove(QChar::LineSeparator);
    }
    layout.endLayout();
    if (shown.isEmpty()) shown << QString();
    return shown;
}

int WrappedText::lineCount(int width) const {
    if (width != measuredWidth_) {
        measuredWidth_ = width;
        measuredLines_ = static_cast<int>(lines(width).size());
    }
    return measuredLines_;
}

int WrappedText::heightForWidth(int width) const {
    const QFontMetricsF metrics(font_);
    const int count = lineCount(width);
    return static_cast<int>(std::ceil(metrics.height() * count + metrics.leading() * (count - 1)));
}

QSize WrappedText::sizeHint() const {
    // As wide as one line would be; a narrower layout wraps it.
    const QFontMetricsF metrics(font_);
    return {static_cast<int>(std::ceil(metrics.horizontalAdvance(text_))),
            static_cast<int>(std::ceil(metrics.height()))};
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
    const QFontMetricsF metrics(font_);
    // The whole paragraph starts where its own direction does.
    const int flags = TextDirection::drawFlags(text_, Qt::AlignLeft | Qt::AlignTop);
    double top = 0;
    for (const QString& line : lines(width())) {
        painter.drawText(QRectF(0, top, width(), metrics.height()), flags, line);
        top += metrics.height() + metrics.leading();
    }
}

} // namespace vesk
