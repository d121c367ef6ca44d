#include "shell/theme/TabularText.hpp"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QStaticText>
#include <algorithm>
#include <deque>

namespace vesk {

namespace {

// A font as the clocks use it: measured once, its characters laid out once. A running clock
// redraws several times a second for hours; shaping its few characters anew each time
// would cost more than drawing them.
struct MeasuredFont {
    QFont font;
    QFontMetricsF metrics;
    double digit = 0; // the widest digit's advance
    QHash<QChar, QStaticText> glyphs;

    const QStaticText& glyph(QChar c) {
        auto it = glyphs.find(c);
        if (it == glyphs.end()) {
            QStaticText text{QString(c)};
            text.setTextFormat(Qt::PlainText);
            text.setPerformanceHint(QStaticText::AggressiveCaching);
            it = glyphs.insert(c, text);
        }
        return *it;
    }
};

MeasuredFont& measured(const QFont& font) {
    // The few fonts of the clocks and counts; views use them on the main thread only.
    static std::deque<MeasuredFont> fonts;
    const auto known =
        std::find_if(fonts.begin(), fonts.end(), [&](const MeasuredFont& m) { return m.font == font; });
    if (known != fonts.end()) return *known;
    if (fonts.size() >= 8) fonts.pop_front();
    MeasuredFont& added = fonts.emplace_back(MeasuredFont{font, QFontMetricsF(font), 0, {}});
    for (char d = '0'; d <= '9'; ++d)
        added.digit = std::max(added.digit, added.metrics.horizontalAdvance(QChar(d)));
    return added;
}

} // namespace

double TabularText::advance(const QFont& font, QChar c) {
    const MeasuredFont& m = measured(font);
    return c.isDigit() ? m.digit : m.metrics.horizontalAdvance(c);
}

double TabularText::width(const QFont& font, const QString& text) {
    const MeasuredFont& m = measured(font);
    double total = 0;
    for (const QChar c : text)
        total += c.isDigit() ? m.digit : m.metrics.horizontalAdvance(c);
    return total;
}

double TabularText::alignedLeft(Qt::Alignment alignment, double boxWidth, double textWidth) {
    if (alignment & Qt::AlignRight) return boxWidth - textWidth;
    if (alignment & Qt::AlignHCenter) return (boxWidth - textWidth) / 2;
    return 0;
}

void TabularText::draw(QPainter& painter, QPointF baselineStart, const QString& text) {
    MeasuredFont& m = measured(painter.font());
    const double top = baselineStart.y() - m.metrics.ascent();
    double x = baselineStart.x();
    for (const QChar c : text) {
        const double own = m.metrics.horizontalAdvance(c);
        const double cell = c.isDigit() ? m.digit : own;
        // A narrow digit sits in the middle of its cell.
        painter.drawStaticText(QPointF(x + (cell - own) / 2, top), m.glyph(c));
        x += cell;
    }
}

} // namespace vesk
