#include "shell/views/PanelShape.hpp"

#include <QPainterPathStroker>
#include <QPolygon>
#include <QRegion>
#include <QTransform>

namespace vesk {

namespace PanelShape {

std::vector<PixelRect> pixels(const QPainterPath& drawn, double haloPoints, double pixelsPerPoint) {
    const QPainterPath scaled = QTransform::fromScale(pixelsPerPoint, pixelsPerPoint).map(drawn);
    // A pixel the outline only grazes still shows its antialiased edge: one pixel of room all round.
    QPainterPathStroker stroker;
    stroker.setWidth(2 * (std::max(haloPoints, 0.0) * pixelsPerPoint + 1));
    stroker.setJoinStyle(Qt::RoundJoin);
    stroker.setCapStyle(Qt::RoundCap);
    QRegion region;
    for (const QPainterPath& part : {scaled, stroker.createStroke(scaled)})
        for (const QPolygonF& polygon : part.toFillPolygons())
            region += QRegion(polygon.toPolygon(), Qt::WindingFill);
    std::vector<PixelRect> rows;
    rows.reserve(static_cast<std::size_t>(region.rectCount()));
    for (const QRect& r : region)
        rows.push_back({r.x(), r.y(), r.width(), r.height()});
    return rows;
}

} // namespace PanelShape

} // namespace vesk
