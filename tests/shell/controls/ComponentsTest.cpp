#include "shell/WidgetEvents.hpp"
#include "shell/controls/CheckCircle.hpp"
#include "shell/controls/Chip.hpp"
#include "shell/controls/DueChip.hpp"
#include "shell/controls/IconButton.hpp"
#include "shell/controls/Ring.hpp"
#include "shell/controls/Segmented.hpp"
#include "shell/theme/Theme.hpp"
#include "support/ScopedTimeZone.hpp"

#include <QKeyEvent>
#include <gtest/gtest.h>

namespace vesk {
namespace {

using test::click;
using test::hover;
using test::renderOnBlack;
using test::unhover;

bool near(QColor a, const QColor& b, int tolerance = 6) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// A theme colour as it shows over the black of the tarnel.
QColor overBlack(const QColor& c) {
    return QColor::fromRgbF(c.redF() * c.alphaF(), c.greenF() * c.alphaF(), c.blueF() * c.alphaF());
}

TEST(CheckCircleTest, ClicksRunTheActionAndOnlyAnOpenCircleReactsToHover) {
    for (double size : {14.0, 18.0, 24.0}) {
        int clicks = 0;
        CheckCircle open(false, size, [&] { ++clicks; });
        const QImage resting = renderOnBlack(&open);
        EXPECT_TRUE(test::paintedSomething(resting));
        hover(&open);
        EXPECT_TRUE(open.isHovered());
        EXPECT_NE(renderOnBlack(&open), resting);
        click(&open);
        EXPECT_EQ(clicks, 1);

        CheckCircle done(true, size, {});
        const QImage ticked = renderOnBlack(&done);
        EXPECT_TRUE(near(ticked.pixelColor(2, static_cast<int>(size / 2)), Theme::accent(), 40));
        hover(&done);
        EXPECT_EQ(renderOnBlack(&done), ticked);
    }
}

TEST(PaintedControlTest, OnlyAPressAndReleaseInsideWithTheLeftButtonClicks) {
    int clicks = 0;
    CheckCircle control(false, 20, [&] { ++clicks; });
    control.resize(20, 20);

    test::mouse(&control, QEvent::MouseButtonPress, {10, 10});
    EXPECT_TRUE(control.isPressed());
    test::mouse(&control, QEvent::MouseButtonRelease, {40, 40}); // released outside
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(control.isPressed());

    QMouseEvent right(QEvent::MouseButtonPress, QPointF(10, 10), QPointF(10, 10), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&control, &right);
    QMouseEvent rightUp(QEvent::MouseButtonRelease, QPointF(10, 10), QPointF(10, 10), Qt::RightButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&control, &rightUp);
    EXPECT_EQ(clicks, 0);

    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QCoreApplication::sendEvent(&control, &space);
    EXPECT_EQ(clicks, 1);

    hover(&control);
    unhover(&control);
    EXPECT_FALSE(control.isHovered());
}

TEST(PaintedControlTest, AnActionMayDestroyItsOwnControl) {
    auto* holder = new QWidget;
    bool ran = false;
    auto* control = new CheckCircle(false, 16, {}, holder);
    control->setAction([&] {
        ran = true;
        delete holder;
    });
    click(control);
    EXPECT_TRUE(ran);
}

TEST(IconButtonTest, FramesTheSymbolHoversOnSurfaceHiAndIgnoresClicksWhenDisabled) {
    int clicks = 0;
    IconButton button("trash", 11.5, Theme::text2(), "Delete", [&] { ++clicks; });
    EXPECT_EQ(button.size(), QSize(26, 24)); // size + 14 by size + 12, rounded up
    EXPECT_EQ(button.toolTip(), "Delete");

    const QImage resting = renderOnBlack(&button);
    EXPECT_TRUE(near(resting.pixelColor(4, 12), Qt::black, 0));
    hover(&button);
    const QImage hot = renderOnBlack(&button);
    EXPECT_TRUE(near(hot.pixelColor(4, 12), overBlack(Theme::surfaceHi()), 3));
    unhover(&button);
    EXPECT_EQ(renderOnBlack(&button), resting);

    click(&button);
    EXPECT_EQ(clicks, 1);
    button.setEnabled(false);
    click(&button);
    EXPECT_EQ(clicks, 1);
}

TEST(ChipTest, SelectedFillsWithItsTintAndAnUnselectedOneLightensUnderThePointer) {
    int clicks = 0;
    Chip selected("Today", Chip::State::selected, Theme::accent(), [&] { ++clicks; });
    selected.resize(selected.sizeHint());
    EXPECT_TRUE(near(renderOnBlack(&selected).pixelColor(selected.width() / 2, 2), Theme::accent(), 8));
    click(&selected);
    EXPECT_EQ(clicks, 1);

    Chip plain("Later", Chip::State::unselected, Theme::accent(), {});
    plain.resize(plain.sizeHint());
    const QPoint edge(plain.width() / 2, 1);
    EXPECT_TRUE(near(renderOnBlack(&plain).pixelColor(edge), overBlack(Theme::surface()), 3));
    hover(&plain);
    EXPECT_TRUE(near(renderOnBlack(&plain).pixelColor(edge), overBlack(Theme::surfaceHi()), 3));
    plain.setSelected(true);
    EXPECT_TRUE(near(renderOnBlack(&plain).pixelColor(edge), Theme::accent(), 8));
}

TEST(SegmentedTest, ReportsTheClickedValueAndShowsOnlyAMatchingSelection) {
    std::vector<int> picked;
    Segmented<int> control({{5, "5 min"}, {10, "10 min"}, {15, "15 min"}}, 10,
                           [&](int value) { picked.push_back(value); });
    control.resize(control.sizeHint());
    ASSERT_EQ(control.count(), 3);
    EXPECT_EQ(control.selectedIndex(), 1);

    click(control.button(2));
    EXPECT_EQ(picked, std::vector<int>{15});
    EXPECT_EQ(control.selectedIndex(), 1); // the caller decides

    control.setSelection(35);
    EXPECT_EQ(control.selectedIndex(), std::nullopt);
    const QImage none = renderOnBlack(&control);
    control.setSelection(5);
    EXPECT_NE(renderOnBlack(&control), none);
}

TEST(DueChipTest, ColourComparesWithTheStartOfToday) {
    test::ScopedTimeZone zone("UTC");
    const Calendar calendar(2);
    const Date now = dateFromUnixSeconds(1'773'057'600); // Mon 9 March 2026 12:00
    EXPECT_EQ(DueChip::colorFor(addingSeconds(now, -86400), now, calendar), Theme::danger());
    EXPECT_EQ(DueChip::colorFor(addingSeconds(now, -12 * 3600), now, calendar), Theme::accent());
    EXPECT_EQ(DueChip::colorFor(addingSeconds(now, -3600), now, calendar), Theme::accent());
    EXPECT_EQ(DueChip::colorFor(addingSeconds(now, 12 * 3600 - 1), now, calendar), Theme::accent());
    EXPECT_EQ(DueChip::colorFor(addingSeconds(now, 12 * 3600), now, calendar), Theme::text2());

    DueChip chip(addingSeconds(now, -3600), now, calendar);
    EXPECT_EQ(chip.text(), "Today");
    chip.resize(chip.sizeHint());
    EXPECT_TRUE(test::paintedSomething(renderOnBlack(&chip)));
}

TEST(RingTest, ZeroShowsADotAtTwelveAndProgressBeyondOneIsAFullCircle) {
    EXPECT_DOUBLE_EQ(Ring::arcFraction(0), 0.001);
    EXPECT_DOUBLE_EQ(Ring::arcFraction(-2), 0.001);
    EXPECT_DOUBLE_EQ(Ring::arcFraction(1.7), 1.0);
    EXPECT_DOUBLE_EQ(Ring::arcFraction(std::nan("")), 0.001);

    Ring ring(0, Theme::focus(), 4);
    ring.resize(40, 40);
    const QImage zero = renderOnBlack(&ring);
    const QColor top = zero.pixelColor(20, 2);
    const QColor bottom = zero.pixelColor(20, 37);
    EXPECT_GT(top.red(), bottom.red() + 60); // the dot at twelve, only the faint track below

    ring.setProgress(1.5);
    const QImage full = renderOnBlack(&ring);
    EXPECT_TRUE(near(full.pixelColor(20, 37), Theme::focus(), 40));
}

TEST(RingTest, AnArcGrownInSliversLooksLikeOneDrawnAtOnce) {
    // A running timer redraws only where the arc's end moved: the picture must not keep a seam.
    Ring grown(0.1, Theme::focus(), 3.5);
    grown.resize(132, 132);
    renderOnBlack(&grown);
    for (double progress = 0.1; progress < 0.6; progress += 0.0007) {
        grown.setProgress(progress);
        renderOnBlack(&grown);
    }
    grown.setProgress(0.7);
    Ring drawn(0.7, Theme::focus(), 3.5);
    drawn.resize(132, 132);
    EXPECT_EQ(renderOnBlack(&grown), renderOnBlack(&drawn));
}

} // namespace
} // namespace vesk
