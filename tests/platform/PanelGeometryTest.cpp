#include "platform/PanelGeometry.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

const PanelRect screen{0, 0, 1920, 1080};
// A second screen to the right of the first, its top 200 px lower.
const PanelRect rightScreen{1920, 200, 1280, 800};

TEST(PanelGeometryTest, ThePanelAndTheTarnelHangFromTheTopCentre) {
    EXPECT_EQ(PanelGeometry::panelFrame(screen), (PanelRect{410, 0, 1100, 600}));
    EXPECT_EQ(PanelGeometry::panelFrame(rightScreen), (PanelRect{2010, 200, 1100, 600}));
    EXPECT_EQ(PanelGeometry::tarnelRect(screen, 236, 30), (PanelRect{842, 0, 236, 30}));
    EXPECT_EQ(PanelGeometry::tarnelRect(rightScreen, 440, 470), (PanelRect{2340, 200, 440, 470}));
}

TEST(PanelGeometryTest, TheInputShapeIsTheTarnelPlusTheMarginInPanelCoordinates) {
    // The margin above the tarnel lies off the panel and is clipped away.
    EXPECT_EQ(PanelGeometry::inputShape(screen, 236, 30, 1), (PanelRect{430, 0, 240, 32}));
    EXPECT_EQ(PanelGeometry::inputShape(rightScreen, 440, 470, 1), (PanelRect{328, 0, 444, 472}));
    // Fractional sizes widen to whole pixels, at 2x to half points.
    EXPECT_EQ(PanelGeometry::inputShape(screen, 236.5, 30.2, 1), (PanelRect{429, 0, 242, 33}));
    EXPECT_EQ(PanelGeometry::inputShape(screen, 236.5, 30.2, 2), (PanelRect{429.5, 0, 241, 32.5}));
    // Never larger than the panel.
    EXPECT_EQ(PanelGeometry::inputShape(screen, 2000, 900, 1), (PanelRect{0, 0, 1100, 600}));
}

TEST(PanelGeometryTest, AScreensCornerKeepsItsNumbersInDevicePixels) {
    EXPECT_EQ(PanelGeometry::screenPixel(screen, 410, 0, 2), (PixelPoint{820, 0}));
    // Only what lies within the screen scales: not 4020, 400 off the screen.
    EXPECT_EQ(PanelGeometry::screenPixel(rightScreen, 2010, 200, 2), (PixelPoint{2100, 200}));
    EXPECT_EQ(PanelGeometry::screenPixel(rightScreen, 2010.5, 200, 1), (PixelPoint{2011, 200}));
}

} // namespace
} // namespace vesk
