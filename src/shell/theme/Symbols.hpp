#pragma once

#include <QColor>
#include <QRectF>
#include <QString>
#include <optional>
#include <string_view>

class QPainter;

namespace vesk {

// The icons the views name by their symbol names ("leaf.fill"), drawn with glyphs of the
// Material Design Icons font.
struct Symbols {
    Symbols() = delete;

    // The glyph's code point; none for a name the table lacks.
    static std::optional<char32_t> codepoint(std::string_view name);
    static QString glyph(std::string_view name);
    // Draws the symbol centred in `rect` at the size of a `points` symbol; unknown names
    // draw nothing.
    static void draw(QPainter& painter, const QRectF& rect, std::string_view name, double points,
                     const QColor& color);
    // The square a symbol of `points` occupies.
    static double extent(double points);
};

} // namespace vesk
