#include "shell/controls/FittedText.hpp"
#include "shell/controls/SectionTitle.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(SectionTitleTest, UpperCasesTheWholeTitleByUnicodeRules) {
    EXPECT_EQ(SectionTitle::shown("Last 7 days"), "LAST 7 DAYS");
    EXPECT_EQ(SectionTitle::shown("Focus \u00B7 6 months"), "FOCUS \u00B7 6 MONTHS");
    EXPECT_EQ(SectionTitle::shown("Straße \u00E0 l\u2019\u00E9t\u00E9 \u03C3\u03BF\u03C6\u03AF\u03B1"),
              "STRASSE \u00C0 L\u2019\u00C9T\u00C9 \u03A3\u039F\u03A6\u038A\u0391");
}

TEST(FittedTextTest, AFigureTooWideShrinksToSeventyPercentAtMost) {
    EXPECT_EQ(FittedText::scale(50, 80), 1);
    EXPECT_EQ(FittedText::scale(80, 80), 1);
    EXPECT_DOUBLE_EQ(FittedText::scale(100, 80), 0.8);
    EXPECT_EQ(FittedText::scale(400, 80), FittedText::minimumScale);
}

} // namespace
} // namespace vesk
