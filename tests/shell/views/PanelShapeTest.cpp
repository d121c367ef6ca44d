#include "shell/views/PanelShape.hpp"

#include "shell/theme/NotchShape.hpp"

#include <algorithm>
#include <gtest/gtest.h>

namespace vesk {
namespace {

bool shows(const std::vector<PixelRect>& pixels, int x, int y) {
    return std::any_of(pixels.begin(), pixels.end(), [&](const PixelRect& r) {
        return x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
    });
}

// The smallest rectangle round all the pixels, as {left, top, right, bottom}.
std::vector<int> extent(const std::vector<PixelRect>& pixels) {
    std::vector<int> box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (const PixelRect& r : pixels)
        box = {std::min(box[0], r.x), std::min(box[1], r.y), std::max(box[2], r.x + r.width),
               std::max(box[3], r.y + r.height)};
    return box;
}

const QPainterPath pill = NotchShape{14, 6}.path(QRectF(494, 0, 112, 30));

TEST(PanelShapeTest, ThePillShowsWithItsEarsAndAPixelOfEdgeAndNothingElse) {
    const auto pixels = PanelShape::pixels(pill, 0, 1);
    EXPECT_EQ(extent(pixels), std::vector<int>({493, -1, 607, 31}));
    EXPECT_TRUE(shows(pixels, 494, 0)) << "the ear along the top edge";
    EXPECT_TRUE(shows(pixels, 550, 29));
    EXPECT_FALSE(shows(pixels, 494, 15)) << "beside the pill, under its ear";
    EXPECT_FALSE(shows(pixels, 603, 28)) << "outside the rounded corner";
    EXPECT_FALSE(shows(pixels, 550, 32));
}

TEST(PanelShapeTest, AHaloWidensItAndDevicePixelsScaleIt) {
    EXPECT_EQ(extent(PanelShape::pixels(pill, 10, 1)), std::vector<int>({483, -11, 617, 41}));
    EXPECT_EQ(extent(PanelShape::pixels(pill, 0, 2)), std::vector<int>({987, -1, 1213, 61}));
}

TEST(PanelShapeTest, TwoOutlinesShowApart) {
    QPainterPath drawn = NotchShape{24, 19}.path(QRectF(350, 0, 400, 470));
    drawn.addPath(NotchShape{24, 12}.path(QRectF(760, 0, 252, 300)));
    const auto pixels = PanelShape::pixels(drawn, 0, 1);
    EXPECT_TRUE(shows(pixels, 550, 400));
    EXPECT_TRUE(shows(pixels, 900, 150));
    EXPECT_FALSE(shows(pixels, 755, 200)) << "between the tarnel and the reveal panel";
    EXPECT_FALSE(shows(pixels, 900, 400)) << "below the reveal panel";
}

} // namespace
} // namespace vesk
