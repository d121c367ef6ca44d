#include "shell/theme/Symbols.hpp"

#include "shell/theme/Fonts.hpp"

#include <QFontInfo>
#include <QPainter>
#include <algorithm>
#include <array>
#include <numbers>
#include <utility>

namespace vesk {

namespace {

// Symbol name → icon of the font (version 1.6.50, as Debian ships it). Where the font has
// no icon of the same idea, the closest one stands in.
constexpr std::array<std::pair<std::string_view, char32_t>, 38> table = {{
    {"arrow.clockwise", 0xF467},            // rotate-right
    {"arrow.counterclockwise", 0xF465},     // rotate-left
    {"arrow.turn.down.right", 0xF60D},      // subdirectory-arrow-right
    {"bolt.fill", 0xF241},                  // flash
    {"calendar", 0xF0ED},                   // calendar
    {"chart.bar.xaxis", 0xF128},            // chart-bar
    {"checklist", 0xF5C7},                  // playlist-check
    {"checkmark", 0xF12C},                  // check
    {"checkmark.circle", 0xF5E1},           // check-circle-outline
    {"checkmark.circle.fill", 0xF5E0},      // check-circle
    {"chevron.down", 0xF140},               // chevron-down
    {"chevron.left", 0xF141},               // chevron-left
    {"chevron.right", 0xF142},              // chevron-right
    {"circle", 0xF130},                     // checkbox-blank-circle-outline
    {"circle.dashed", 0xF130},              // checkbox-blank-circle-outline, drawn dashed
    {"command", 0xF30C},                    // keyboard: the hint beside it names Alt, not the Command key
    {"ellipsis", 0xF1D8},                   // dots-horizontal
    {"forward.end.fill", 0xF4AD},           // skip-next
    {"leaf", 0xF32A},                       // leaf
    {"leaf.fill", 0xF32A},                  // leaf
    {"line.3.horizontal.decrease", 0xF236}, // filter-variant
    {"link", 0xF337},                       // link
    {"lock.fill", 0xF33E},                  // lock
    {"pause.fill", 0xF3E4},                 // pause
    {"play.fill", 0xF40A},                  // play
    {"plus", 0xF415},                       // plus
    {"questionmark.circle", 0xF625},        // help-circle-outline
    {"sparkles", 0xF068},                   // auto-fix
    {"square.grid.2x2", 0xF570},            // view-grid
    {"star", 0xF4D2},                       // star-outline
    {"star.fill", 0xF4CE},                  // star
    {"stop.fill", 0xF4DB},                  // stop
    {"stopwatch", 0xF51B},                  // timer
    {"text.alignleft", 0xF262},             // format-align-left
    {"timer", 0xF06B},                      // av-timer
    {"trash", 0xF1C0},                      // delete
    {"xmark", 0xF156},                      // close
    {"xmark.circle.fill", 0xF159},          // close-circle
}};

static_assert(std::is_sorted(table.begin(), table.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; }));

} // namespace

std::optional<char32_t> Symbols::codepoint(std::string_view name) {
    const auto it =
        std::lower_bound(table.begin(), table.end(), name,
                         [](const auto& entry, std::string_view key) { return entry.first < key; });
    if (it == table.end() || it->first != name) return std::nullopt;
    return it->second;
}

QString Symbols::glyph(std::string_view name) {
    const auto code = codepoint(name);
    if (!code) return {};
    const char32_t chars[] = {*code};
    return QString::fromUcs4(chars, 1);
}

double Symbols::extent(double points) {
    return points * 1.2;
}

namespace {

// The font has no dashed circle: the outline of its circle, the same size and weight, in
// dashes evenly round it.
void drawDashedCircle(QPainter& painter, const QRectF& rect, double points, const QColor& color) {
    constexpr int dashes = 14;
    // The circle icon spans 20 of its 24 units with a 2-unit line.
    const double em = QFontInfo(Fonts::symbols(points)).pixelSize();
    const double lineWidth = em / 12;
    const double diameter = em * 20 / 24 - lineWidth;
    const double step = std::numbers::pi * diameter / dashes / lineWidth; // in line widths
    QPen pen(color, lineWidth, Qt::CustomDashLine, Qt::FlatCap);
    pen.setDashPattern({step * 0.55, step * 0.45});
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(rect.center(), diameter / 2, diameter / 2);
    painter.restore();
}

} // namespace

void Symbols::draw(QPainter& painter, const QRectF& rect, std::string_view name, double points,
                   const QColor& color) {
    if (name == "circle.dashed") return drawDashedCircle(painter, rect, points, color);
    const QString text = glyph(name);
    if (text.isEmpty() || !Fonts::hasSymbols()) return;
    painter.save();
    painter.setFont(Fonts::symbols(points));
    painter.setPen(color);
    painter.drawText(rect, Qt::AlignCenter, text);
    painter.restore();
}

} // namespace vesk
