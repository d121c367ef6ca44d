#include "shell/controls/PictureFill.hpp"

#include <QBrush>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace vesk::PictureFill {

void fill(QPainter& painter, const QPainterPath& shape, const QImage& picture) {
    // The brush itself shrinks a texture by its device pixel ratio: a transform of our own on
    // top would shrink it twice and tile it.
    painter.fillPath(shape, QBrush(picture));
}

} // namespace vesk::PictureFill
