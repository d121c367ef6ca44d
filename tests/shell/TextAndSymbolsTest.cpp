#include "shell/FrameClock.hpp"
#include "shell/WidgetEvents.hpp"
#include "shell/controls/RollingText.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Symbols.hpp"
#include "shell/theme/TabularText.hpp"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(SymbolsTest, EveryNameTheViewsUseHasAGlyphOfTheLoadedIconFont) {
    Fonts::load();
    EXPECT_TRUE(Fonts::hasSymbols());
    for (const char* name : {"leaf.fill",
                             "leaf",
                             "checkmark",
                             "checkmark.circle.fill",
                             "calendar",
                             "chevron.left",
                             "chevron.right",
                             "chevron.down",
                             "checklist",
                             "timer",
                             "chart.bar.xaxis",
                             "ellipsis",
                             "sparkles",
                             "bolt.fill",
                             "star",
                             "star.fill",
                             "trash",
                             "xmark",
                             "plus",
                             "play.fill",
                             "pause.fill",
                             "stop.fill",
                             "forward.end.fill",
                             "stopwatch",
                             "link",
                             "circle",
                             "arrow.counterclockwise",
                             "questionmark.circle",
                             "xmark.circle.fill"}) {
        const auto code = Symbols::codepoint(name);
        ASSERT_TRUE(code) << name;
        EXPECT_TRUE(QFontMetricsF(Fonts::symbols(12)).inFontUcs4(*code)) << name;
    }
    EXPECT_EQ(Symbols::codepoint("no.such.symbol"), std::nullopt);
    EXPECT_TRUE(Symbols::glyph("no.such.symbol").isEmpty());
}

TEST(TabularTextTest, DigitsTakeOneWidthSoClocksDoNotJiggle) {
    const QFont font = Fonts::text(12.5, FontWeight::semibold, FontDesign::rounded);
    EXPECT_DOUBLE_EQ(TabularText::width(font, "11:11"), TabularText::width(font, "00:00"));
    EXPECT_DOUBLE_EQ(TabularText::width(font, "1"), TabularText::width(font, "8"));
    EXPECT_GT(TabularText::width(font, "1:00:00"), TabularText::width(font, "00:00"));
}

TEST(RollingTextTest, FirstTextShowsAtOnceAndChangesRollUntilTheySettle) {
    test::FrameClock frames;
    RollingText clock(nullptr, &frames.manager);
    clock.setText("00:25", RollingText::Direction::down);
    EXPECT_FALSE(clock.isRolling());
    clock.resize(clock.sizeHint() + QSize(0, 4));
    const QImage before = test::renderOnBlack(&clock);

    clock.setText("00:24", RollingText::Direction::down);
    EXPECT_TRUE(clock.isRolling());
    frames.runFrames(6);
    const QImage rolling = test::renderOnBlack(&clock);
    EXPECT_NE(rolling, before);
    frames.runFrames(120);
    EXPECT_FALSE(clock.isRolling());
    EXPECT_FALSE(frames.manager.isTicking());
    EXPECT_NE(test::renderOnBlack(&clock), rolling);

    // On screen, a roll redraws only the characters that change.
    struct PaintedRegion : QObject {
        QRegion region;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint) region += static_cast<QPaintEvent*>(event)->region();
            return false;
        }
    } painted;
    clock.show();
    QCoreApplication::processEvents();
    clock.installEventFilter(&painted);
    clock.setText("00:23", RollingText::Direction::down);
    frames.runFrames(120);
    QCoreApplication::processEvents();
    ASSERT_FALSE(painted.region.isEmpty());
    EXPECT_GE(painted.region.boundingRect().left(),
              static_cast<int>(
                  TabularText::width(Fonts::text(12.5, FontWeight::semibold, FontDesign::rounded), "00:2")) -
                  1);
}

} // namespace
} // namespace vesk
