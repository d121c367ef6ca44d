#include "shell/FrameClock.hpp"
#include "shell/WidgetEvents.hpp"
#include "shell/controls/RollingText.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Symbols.hpp"
#include "shell/theme/TabularText.hpp"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

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

TEST(FontsTest, ChineseJapaneseAndKoreanTitlesFindFacesThatHaveThem) {
    Fonts::load();
    for (const char* title : {"买牛奶和面包", "日本語のメモを書く", "한국어 공부하기"}) {
        QTextLayout layout(QString::fromUtf8(title), Fonts::text(13, FontWeight::medium));
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        // Glyph 0 is a face's empty box.
        int boxes = 0;
        for (const QGlyphRun& run : layout.glyphRuns()) {
            const auto glyphs = run.glyphIndexes();
            boxes += static_cast<int>(std::count(glyphs.begin(), glyphs.end(), 0u));
        }
        EXPECT_EQ(boxes, 0) << title;
    }
}

// Breaks in the painted ring, counted round the circle through the middle of its line.
int gapsRoundTheRing(std::string_view name) {
    QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    Symbols::draw(painter, QRectF(image.rect()), name, 26, Qt::white);
    painter.end();
    // The ring's radius: where the line is, right of the centre.
    int radius = 31;
    while (radius > 0 && qAlpha(image.pixel(32 + radius, 32)) < 128)
        --radius;
    radius -= 1;
    int gaps = 0;
    bool wasOn = true;
    for (int step = 0; step <= 720; ++step) {
        const double angle = step * std::numbers::pi / 360;
        // A glyph need not sit exactly centred: a pixel either side of the radius counts.
        bool on = false;
        for (int r = radius - 1; r <= radius + 1; ++r)
            on = on || qAlpha(image.pixel(32 + int(std::lround(r * std::cos(angle))),
                                          32 + int(std::lround(r * std::sin(angle))))) >= 64;
        gaps += wasOn && !on;
        wasOn = on;
    }
    return gaps;
}

TEST(SymbolsTest, TheDashedCircleIsDrawnInDashes) {
    Fonts::load();
    EXPECT_EQ(gapsRoundTheRing("circle"), 0);
    EXPECT_GE(gapsRoundTheRing("circle.dashed"), 10);
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
