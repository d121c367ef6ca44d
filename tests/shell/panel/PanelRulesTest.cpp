#include "shell/panel/PanelRules.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

const PanelRect screen{0, 0, 1920, 1080};

TEST(PanelRulesTest, MetricsTakeTheTopBarHeightAtLeast24Plus6) {
    EXPECT_EQ(screenMetrics(screen, screen), (ScreenMetrics{false, 0, 30}));
    EXPECT_EQ(screenMetrics(screen, {0, 24, 1920, 1056}), (ScreenMetrics{false, 0, 30}));
    EXPECT_EQ(screenMetrics(screen, {0, 32, 1920, 1048}), (ScreenMetrics{false, 0, 38}));
    // Measured from the screen's own top edge (a second screen, 200 px lower), not from 0.
    EXPECT_EQ(screenMetrics({1920, 200, 1280, 800}, {1920, 227, 1280, 773}).topHeight, 33);
    // A bar at the bottom only leaves the top at the minimum.
    EXPECT_EQ(screenMetrics(screen, {0, 0, 1920, 1040}).topHeight, 30);
}

TEST(PanelRulesTest, ThePointerCountsWithinTwoPointsOfTheTarnel) {
    const PanelRect tarnel = PanelGeometry::tarnelRect(screen, 236, 30); // x 842..1078, y 0..30
    const auto at = [&](double x, double y, bool expanded = false) {
        return MouseTracking::track({x, y, false}, tarnel, expanded);
    };
    EXPECT_EQ(at(900, 10), (PointerVerdict{true, true}));
    EXPECT_EQ(at(840, 10), (PointerVerdict{true, true}));
    EXPECT_EQ(at(839.9, 10), (PointerVerdict{false, false}));
    EXPECT_EQ(at(1079.9, 31.9), (PointerVerdict{true, true}));
    EXPECT_EQ(at(1080, 10), (PointerVerdict{false, false}));
    EXPECT_EQ(at(900, 32), (PointerVerdict{false, false}));
    // Expanded, the pointer is inside but never hovers.
    EXPECT_EQ(at(900, 10, true), (PointerVerdict{true, false}));
}

TEST(PanelRulesTest, AHeldButtonChangesNothing) {
    const PanelRect tarnel = PanelGeometry::tarnelRect(screen, 236, 30);
    EXPECT_EQ(MouseTracking::track({900, 10, true}, tarnel, false), std::nullopt);
    EXPECT_EQ(MouseTracking::track({10, 500, true}, tarnel, true), std::nullopt);
}

TEST(PanelRulesTest, OnlyClicksAwayFromTheExpandedTarnelCollapseIt) {
    const PanelRect tarnel = PanelGeometry::tarnelRect(screen, 440, 470); // x 740..1180
    const PointerSample away{100, 700, false};
    EXPECT_TRUE(MouseTracking::clickCollapses(away, tarnel, true, false, false));
    EXPECT_FALSE(MouseTracking::clickCollapses(away, tarnel, false, false, false));
    EXPECT_FALSE(MouseTracking::clickCollapses(away, tarnel, true, true, false)) << "pinned";
    EXPECT_FALSE(MouseTracking::clickCollapses(away, tarnel, true, false, true)) << "on our own menu";
    EXPECT_FALSE(MouseTracking::clickCollapses({900, 100, false}, tarnel, true, false, false));
    // The margin belongs to the panel: such a click went to the tarnel.
    EXPECT_FALSE(MouseTracking::clickCollapses({738.5, 100, false}, tarnel, true, false, false));
    EXPECT_TRUE(MouseTracking::clickCollapses({737.9, 100, false}, tarnel, true, false, false));
}

} // namespace
} // namespace vesk
