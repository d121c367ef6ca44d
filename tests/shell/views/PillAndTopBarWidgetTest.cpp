#include "shell/FrameClock.hpp"
#include "shell/WidgetEvents.hpp"
#include "shell/anim/AnimationManager.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/controls/PulseDot.hpp"
#include "shell/controls/TabButton.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/state/Tour.hpp"
#include "shell/state/TourAnchor.hpp"
#include "shell/views/CollapsedView.hpp"
#include "shell/views/TimerChip.hpp"
#include "shell/views/TopBar.hpp"
#include "support/StoreTestBed.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

class PillWidgetTest : public ::testing::Test {
  protected:
    test::StoreTestBed bed;
    Store& store = bed.open();
    TarnelUI ui{store, bed.queue};
};

TEST_F(PillWidgetTest, PillSwapsTheLeafAndCountForTheTimerAndBack) {
    store.addTask("one");
    CollapsedView pill(ui);
    pill.resize(236, 30);
    pill.show();
    EXPECT_EQ(pill.content().trailing, "1");
    EXPECT_EQ(pill.content().mark, CollapsedContent::Mark::leaf);

    store.start(TimerMode::stopwatch, std::nullopt);
    bed.queue.advance(3.2);
    EXPECT_EQ(pill.content().mark, CollapsedContent::Mark::pulse);
    EXPECT_EQ(pill.content().trailing, "00:03");
    store.finish();
    EXPECT_EQ(pill.content().trailing, "1");
}

TEST_F(PillWidgetTest, PillRowTakesTheScreensTopHeight) {
    ui.setMetrics(ScreenMetrics{true, 185, 32});
    CollapsedView pill(ui);
    pill.resize(265, 32);
    pill.show();
    EXPECT_EQ(pill.content().titleMaxWidth, 56);
    EXPECT_EQ(pill.sizeHint().height(), 32);
}

TEST_F(PillWidgetTest, ToastRowAppearsWithItsTextAndGoesAgain) {
    CollapsedView pill(ui);
    pill.resize(300, 64);
    pill.show();
    ui.showToast("checkmark.circle.fill", "Focus done", 0xFF00FF00, 4);
    // TextLabel has no meta-object of its own, so findChildren<TextLabel*> would take every widget.
    const TextLabel* text = nullptr;
    for (const QWidget* child : pill.findChildren<QWidget*>())
        if (const auto* label = dynamic_cast<const TextLabel*>(child); label && label->text() == "Focus done")
            text = label;
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->isVisibleTo(&pill));
    EXPECT_DOUBLE_EQ(Presence::effectFor(text).opacity, 1.0);
    bed.queue.advance(4); // it fades out with the tarnel's spring
    EXPECT_FALSE(Presence::of(text->parentWidget())->isPresent());
}

TEST(PulseDotTest, BreathesWhileRunningAndRestsAtHalfWhenPaused) {
    test::FrameClock clock;
    PulseDot dot(Qt::red, PulseDot::State::running, nullptr, &clock.manager);
    EXPECT_DOUBLE_EQ(dot.opacity(), 0.35);
    dot.show();
    clock.runFrames(30); // half a breath
    EXPECT_GT(dot.opacity(), 0.5);
    dot.setRunning(false);
    clock.runFrames(120);
    EXPECT_NEAR(dot.opacity(), 0.5, 0.01);
}

// Counts the frames a widget is drawn in.
class PaintCounter final : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

TEST_F(PillWidgetTest, ARunningTimerRedrawsThePillAFewTimesASecondNotSixty) {
    double now = 0;
    AnimationManager::shared().setTimeSource([&] { return now; });
    for (const TimerMode mode : {TimerMode::stopwatch, TimerMode::pomodoro}) {
        store.start(mode, std::nullopt);
        CollapsedView pill(ui);
        pill.resize(236, 30);
        pill.show();
        QCoreApplication::processEvents(); // exposed: updates now paint
        PaintCounter frames;
        pill.installEventFilter(&frames);
        // Two seconds at 60 frames a second: the breathing dot, the clock rolling twice.
        for (int frame = 0; frame < 120; ++frame) {
            now += 1.0 / 60;
            bed.queue.advance(1.0 / 60);
            AnimationManager::shared().tick();
            QCoreApplication::processEvents();
        }
        // Sixty frames a second before; now the dot's few, on which the clock also rolls.
        const bool stopwatch = mode == TimerMode::stopwatch;
        EXPECT_LE(frames.paints, stopwatch ? 14 : 6) << (stopwatch ? "stopwatch" : "pomodoro");
        store.finish();
    }
    AnimationManager::shared().setTimeSource({});
}

TEST_F(PillWidgetTest, TopBarSelectsTabsAndHidesTheChipOnTheFocusTab) {
    using Tab = TarnelUI::Tab;
    TopBar bar(store, ui, MenuServices{});
    bar.resize(378, 30);
    bar.show();
    EXPECT_FALSE(bar.chipShown()); // no timer
    store.start(TimerMode::pomodoro, std::nullopt);
    EXPECT_TRUE(bar.chipShown());
    ui.select(Tab::focus);
    EXPECT_FALSE(bar.chipShown());
    EXPECT_TRUE(bar.tabButton(Tab::focus)->isSelected());
    EXPECT_FALSE(bar.tabButton(Tab::tasks)->isSelected());

    test::click(bar.tabButton(Tab::stats));
    EXPECT_EQ(ui.tab.get(), Tab::stats);
    EXPECT_TRUE(bar.chipShown());
    EXPECT_EQ(tourAnchorOf(bar.tabButton(Tab::bonsai)), TourTarget::bonsaiTab);
    EXPECT_EQ(tourAnchorOf(bar.tabButton(Tab::focus)), TourTarget::focusTab);
    EXPECT_FALSE(tourAnchorOf(bar.tabButton(Tab::tasks)));
}

TEST_F(PillWidgetTest, TimerChipKeepsEightPointsEitherSideOfItsTabularClock) {
    store.start(TimerMode::stopwatch, std::nullopt);
    bed.queue.advance(610); // "10:10": narrow digits beside the widest cell
    TimerChip chip(store);
    chip.resize(chip.sizeHint());
    const QImage image = test::renderOnBlack(&chip);
    // Left and right ends of what is drawn in the timer's tint (the dot, the digits).
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 120 && c.red() - c.blue() > 60) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    EXPECT_NEAR(left, 8, 1);
    EXPECT_LE(image.width() - 1 - right, 12); // 8, and half a narrow digit's spare cell
}

} // namespace
} // namespace vesk
