#include "shell/controls/PictureFill.hpp"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <gtest/gtest.h>

namespace vesk {
namespace {

// A picture drawn at a screen's pixels, as the 3D views draw theirs, fills its view once and
// pixel for pixel at every scale a desktop sets.
TEST(PictureFillTest, APictureAtTheDevicePixelsShowsOnceAndPixelForPixel) {
    const QSize view(120, 80);
    for (const qreal ratio : {1.0, 1.25, 1.5, 2.0}) {
        QImage picture(view * ratio, QImage::Format_RGB32);
        // No two pixels alike: any repeat or stretch of it shows.
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 64 + (y / 256) * 16));
        picture.setDevicePixelRatio(ratio);

        QImage screen(view * ratio, QImage::Format_RGB32);
        screen.setDevicePixelRatio(ratio);
        screen.fill(Qt::black);
        {
            QPainter painter(&screen);
            QPainterPath shape;
            shape.addRect(QRectF(QPointF(), QSizeF(view)));
            PictureFill::fill(painter, shape, picture);
        }
        ASSERT_EQ(screen.size(), picture.size());
        int differing = 0;
        for (int y = 0; y < screen.height(); ++y)
            for (int x = 0; x < screen.width(); ++x)
                differing += screen.pixel(x, y) != picture.pixel(x, y);
        EXPECT_EQ(differing, 0) << "at a scale of " << ratio;
    }
}

} // namespace
} // namespace vesk
