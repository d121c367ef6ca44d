#include "shell/theme/NotchShape.hpp"

#include <QPainterPath>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace vesk {
namespace {

bool allFinite(const QPainterPath& path) {
    for (int i = 0; i < path.elementCount(); ++i) {
        const auto e = path.elementAt(i);
        if (!std::isfinite(e.x) || !std::isfinite(e.y)) return false;
    }
    return true;
}

TEST(NotchShapeTest, RadiiAreClampedToTheRectangle) {
    const NotchShape expanded{24, 19};
    const auto small = expanded.radii(40, 10);
    EXPECT_DOUBLE_EQ(small.flare, 5);
    EXPECT_DOUBLE_EQ(small.bottom, 5);

    const auto panel = expanded.radii(440, 470);
    EXPECT_DOUBLE_EQ(panel.flare, 19);
    EXPECT_DOUBLE_EQ(panel.bottom, 24);

    // Negative radii draw square corners.
    const auto negative = NotchShape{-3, -8}.radii(100, 30);
    EXPECT_DOUBLE_EQ(negative.flare, 0);
    EXPECT_DOUBLE_EQ(negative.bottom, 0);
}

TEST(NotchShapeTest, OutlineSpansTheTopEdgeAndPullsTheSidesInByTheFlare) {
    const QRectF rect(100, 20, 440, 470);
    const QPainterPath path = NotchShape{24, 19}.path(rect);
    const QRectF bounds = path.boundingRect();
    EXPECT_NEAR(bounds.left(), 100, 1e-6);
    EXPECT_NEAR(bounds.right(), 540, 1e-6);
    EXPECT_NEAR(bounds.top(), 20, 1e-6);
    EXPECT_NEAR(bounds.bottom(), 490, 1e-6);

    // Just below the top the flare has pulled the side in; lower down the side is at x = 19.
    EXPECT_FALSE(path.contains(QPointF(100 + 2, 20 + 18)));
    EXPECT_TRUE(path.contains(QPointF(100 + 20, 20 + 100)));
    EXPECT_FALSE(path.contains(QPointF(100 + 17, 20 + 100)));
    // The bottom corners are rounded: the very corner lies outside.
    EXPECT_FALSE(path.contains(QPointF(100 + 20, 490 - 1)));
    EXPECT_TRUE(path.contains(QPointF(320, 490 - 1)));
    // Along the top the shape reaches almost to the ends: the flare meets the edge there.
    EXPECT_TRUE(path.contains(QPointF(100 + 4, 20.3)));
    EXPECT_TRUE(path.contains(QPointF(540 - 4, 20.3)));
}

TEST(NotchShapeTest, DegenerateRectanglesGiveFiniteClosedPaths) {
    const NotchShape shape{24, 19};
    const QPainterPath empty = shape.path(QRectF(7, 9, 0, 0));
    EXPECT_TRUE(allFinite(empty));
    EXPECT_NEAR(empty.boundingRect().x(), 7, 1e-9);
    EXPECT_NEAR(empty.boundingRect().y(), 9, 1e-9);
    EXPECT_EQ(empty.boundingRect().size(), QSizeF(0, 0));

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const QRectF& rect :
         {QRectF(0, 0, 1, 0), QRectF(0, 0, 0, 50), QRectF(0, 0, 0.5, 0.5), QRectF(0, 0, -10, -10),
          QRectF(0, 0, 76, 38), QRectF(0, 0, nan, 30), QRectF(0, 0, inf, inf)}) {
        EXPECT_TRUE(allFinite(shape.path(rect))) << rect.width() << "x" << rect.height();
    }
    EXPECT_TRUE(allFinite(NotchShape{nan, inf}.path(QRectF(0, 0, 100, 30))));
}

TEST(NotchShapeTest, TangentArcFallsBackToALineWithoutRoom) {
    QPainterPath path;
    path.moveTo(0, 0);
    addTangentArc(path, {10, 0}, {20, 0}, 5); // collinear
    EXPECT_EQ(path.currentPosition(), QPointF(10, 0));
    addTangentArc(path, {10, 0}, {10, 10}, 3); // corner equals the current point
    EXPECT_EQ(path.currentPosition(), QPointF(10, 0));
    addTangentArc(path, {10, 10}, {0, 10}, 4); // a real corner: ends on the second line
    EXPECT_NEAR(path.currentPosition().x(), 6, 1e-9);
    EXPECT_NEAR(path.currentPosition().y(), 10, 1e-9);
}

} // namespace
} // namespace vesk
