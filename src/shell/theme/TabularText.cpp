#include "shell/theme/TabularText.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace vesk {

namespace {

double digitWidth(const QFontMetricsF& metrics) {
    double widest = 0;
    for (char d = '0'; d <= '9'; ++d)
        widest = std::max(widest, metrics.horizontalAdvance(QChar(d)));
    return widest;
}

} // namespace

double TabularText::advance(const QFont& font, QChar c) {
    const QFontMetricsF metrics(font);
    return c.isDigit() ? digitWidth(metrics) : metrics.horizontalAdvance(c);
}

double TabularText::width(const QFont& font, const QString& text) {
    const QFontMetricsF metrics(font);
    const double digit = digitWidth(metrics);
    double total = 0;
    for (const QChar c : text)
        total += c.isDigit() ? digit : metrics.horizontalAdvance(c);
    return total;
}

double TabularText::alignedLeft(Qt::Alignment alignment, double boxWidth, double textWidth) {
    if (alignment & Qt::AlignRight) return boxWidth - textWidth;
    if (alignment & Qt::AlignHCenter) return (boxWidth - textWidth) / 2;
    return 0;
}

void TabularText::draw(QPainter& painter, QPointF baselineStart, const QString& text) {
    const QFontMetricsF metrics(painter.font());
    const double digit = digitWidth(metrics);
    double x = baselineStart.x();
    for (const QChar c : text) {
        const double own = metrics.horizontalAdvance(c);
        const double cell = c.isDigit() ? digit : own;
        // A narrow digit sits in the middle of its cell.
        painter.drawText(QPointF(x + (cell - own) / 2, baselineStart.y()), QString(c));
        x += cell;
    }
}

} // namespace vesk
