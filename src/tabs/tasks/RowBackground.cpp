#include "tabs/tasks/RowBackground.hpp"

#include "shell/anim/Presence.hpp"
#include "shell/theme/Theme.hpp"

#include <QPainter>
#include <QPainterPath>

namespace vesk {

void paintRowBackground(QWidget& row, bool hovered) {
    if (!hovered) return;
    QPainter p(&row);
    p.setRenderHint(QPainter::Antialiasing);
    Presence::apply(p, &row);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(row.rect()), 9, 9);
    p.fillPath(shape, Theme::surface());
}

} // namespace vesk
