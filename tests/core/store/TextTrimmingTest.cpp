#include "core/store/TextTrimming.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(TextTrimmingTest, TrimsUnicodeBlanksAtBothEndsOnly) {
    EXPECT_EQ(trimmed(" \t\u00A0a b\u3000 ", Blank::spaces), "a b");
    EXPECT_EQ(trimmed("\n a \r\n", Blank::spaces), "\n a \r\n");
    EXPECT_EQ(trimmed("\n\u2028 a \u0085\r\n", Blank::spacesAndLineBreaks), "a");
    EXPECT_EQ(trimmed(" \n ", Blank::spacesAndLineBreaks), "");
    EXPECT_EQ(trimmed("", Blank::spaces), "");
    // Other letters and broken UTF-8 at the ends stay.
    EXPECT_EQ(trimmed(" \u00E9\u4E2D ", Blank::spaces), "\u00E9\u4E2D");
    EXPECT_EQ(trimmed(" \xE3\x80 ", Blank::spaces), "\xE3\x80");
    EXPECT_EQ(trimmed("\xF0\x9F\x98\x80 ", Blank::spaces), "\xF0\x9F\x98\x80");
}

} // namespace
} // namespace vesk
