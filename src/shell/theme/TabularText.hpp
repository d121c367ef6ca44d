#pragma once

#include <QFont>
#include <QPointF>
#include <QString>

class QPainter;

namespace vesk {

// Text whose digits all take the width of the widest digit, so that a running clock or a
// changing count does not jiggle. Other characters keep their own width.
struct TabularText {
    TabularText() = delete;

    static double advance(const QFont& font, QChar c);
    static double width(const QFont& font, const QString& text);
    // Where a line `textWidth` wide starts in a box `boxWidth` wide.
    static double alignedLeft(Qt::Alignment alignment, double boxWidth, double textWidth);
    // Draws `text` in the painter's font and pen from `baselineStart`.
    static void draw(QPainter& painter, QPointF baselineStart, const QString& text);
};

} // namespace vesk
