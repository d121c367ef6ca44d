#pragma once

class QImage;
class QPainter;
class QPainterPath;

namespace vesk::PictureFill {

// Fills `shape` with `picture`, whose top-left corner lies at the painter's origin, once: a
// picture drawn at n device pixels per point (its device pixel ratio) covers its size ÷ n in
// points, each of its pixels on one pixel of a device of the same ratio. A textured fill
// rather than a clip, since clipping paths are not antialiased.
void fill(QPainter& painter, const QPainterPath& shape, const QImage& picture);

} // namespace vesk::PictureFill
