#include "garden/tour/TourOverlay.hpp"

#include "shell/FrameClock.hpp"
#include "shell/WidgetEvents.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/CheckCircle.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/state/TourAnchor.hpp"
#include "support/StoreTestBed.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(TourOverlayTest, ClicksInTheHoleReachTheTargetAndTheDimTakesTheRest) {
    test::StoreTestBed bed;
    Store& store = bed.open();
    TarnelUI ui{store, bed.queue};
    ui.setTour(TourStep::completeTask);
    QWidget panel;
    panel.resize(440, 470);
    int ticks = 0;
    auto* check = new CheckCircle(
        false, 18, [&] { ++ticks; }, &panel);
    check->setGeometry(40, 120, 18, 18);
    tourAnchor(check, TourTarget::welcomeCheck);
    auto* overlay = new TourOverlay(ui, &panel);
    overlay->setGeometry(panel.rect());
    panel.show();

    ASSERT_TRUE(overlay->hole());
    EXPECT_EQ(*overlay->hole(), (TourRect{34, 115, 30, 28}));
    EXPECT_EQ(panel.childAt(49, 129), check);
    EXPECT_EQ(panel.childAt(200, 300), overlay);
    // The lit margin round the circle is the target's too.
    test::clickInWindow(panel, QPoint(62, 140));
    EXPECT_EQ(ticks, 1);
    test::clickInWindow(panel, QPoint(200, 300));
    EXPECT_EQ(ticks, 1);
    // The bubble under the target, inside the panel.
    EXPECT_EQ(overlay->bubble()->geometry().top(), 115 + 28 + 12 - 8);

    // Ticked: while it fades out the overlay keeps showing the step it leaves.
    ui.setTour(TourStep::growing);
    EXPECT_EQ(overlay->hole(), (TourRect{34, 115, 30, 28}));
    const auto* title = dynamic_cast<const TextLabel*>(overlay->bubble()->findChild<QWidget*>());
    ASSERT_TRUE(title);
    EXPECT_EQ(title->text(), "Complete your first task");

    ui.setTour(TourStep::openBonsai); // no bonsai tab here: no hole, the dim takes every click
    EXPECT_FALSE(overlay->hole());
    EXPECT_EQ(panel.childAt(49, 129), overlay);
}

TEST(TourOverlayTest, TheBubbleFadesInWithTheOverlay) {
    test::StoreTestBed bed;
    TarnelUI ui{bed.open(), bed.queue};
    ui.setTour(TourStep::openBonsai);
    test::FrameClock clock;
    QWidget panel;
    panel.resize(440, 470);
    auto* overlay = new TourOverlay(ui, &panel);
    overlay->setGeometry(panel.rect());
    panel.show();
    const QPoint inBubble = overlay->bubble()->geometry().center();
    const int whole = test::renderOnBlack(&panel).pixelColor(inBubble).green();

    overlay->hide();
    Presence presence(overlay, Transition::fade(), &clock.manager);
    withAnimation(Animation::linear(1.0), [&] { presence.setPresent(true); });
    clock.runFrames(30);
    EXPECT_NEAR(test::renderOnBlack(&panel).pixelColor(inBubble).green(), whole / 2, 3);
}

} // namespace
} // namespace vesk
