#include "devtools/FrameSchedule.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

FrameSchedule parse(std::vector<std::string> words) {
    words.insert(words.begin(), "/usr/bin/vesk");
    return FrameSchedule(words);
}

std::vector<std::int64_t> counts(const FrameSchedule& s) {
    std::vector<std::int64_t> n;
    for (std::int64_t i = 0; i < s.count(); ++i)
        n.push_back(s.frame(i).n);
    return n;
}

TEST(FrameScheduleTest, DefaultsGrowGeometricallyFromOneToFifteenHundred) {
    const FrameSchedule s = parse({"--render-frames"});
    EXPECT_EQ(s.folder, "frames");
    EXPECT_EQ(s.seed, 12345u);
    EXPECT_EQ(s.width, 1080);
    EXPECT_EQ(s.height, 1080);
    ASSERT_EQ(s.count(), 60);
    const auto n = counts(s);
    EXPECT_EQ(n[0], 1);
    EXPECT_EQ(n[1], 1);
    EXPECT_EQ(n[2], 1);
    EXPECT_EQ(n[10], 3);
    EXPECT_EQ(n[30], 41);
    EXPECT_EQ(n[58], 1325);
    EXPECT_EQ(n[59], 1500);
    for (std::int64_t i = 0; i < s.count(); ++i)
        EXPECT_FLOAT_EQ(s.frame(i).yaw, 0.25f) << i;
}

TEST(FrameScheduleTest, AnyOtherCurveGrowsLinearly) {
    const auto n = counts(parse({"--render-frames", "out", "--curve", "Exp"}));
    EXPECT_EQ(n[0], 1);
    EXPECT_EQ(n[1], 26);
    EXPECT_EQ(n[30], 763);
    EXPECT_EQ(n[59], 1500);
}

TEST(FrameScheduleTest, OneFrameOrFewerShowsTheLastCountAndYaw) {
    for (const char* frames : {"1", "0", "-3"}) {
        const FrameSchedule s = parse(
            {"--render-frames", "out", "--frames", frames, "--to", "77", "--yaw0", "0", "--yaw1", "1.5"});
        ASSERT_EQ(s.count(), 1) << frames;
        EXPECT_EQ(s.frame(0), (FrameSchedule::Frame{77, 1.5f})) << frames;
    }
}

TEST(FrameScheduleTest, ANonPositiveStartOnTheExpCurveShowsOneCubeThroughout) {
    for (std::int64_t n : counts(parse({"--render-frames", "o", "--from", "0", "--frames", "12"})))
        EXPECT_EQ(n, 1);
    // A negative end would take a power of a negative ratio: still one cube, never NaN.
    for (std::int64_t n : counts(parse({"--render-frames", "o", "--to", "-40", "--frames", "5"})))
        EXPECT_EQ(n, 1);
}

TEST(FrameScheduleTest, HugeCountsAreCappedAtTheGeneratorsLimit) {
    const FrameSchedule s =
        parse({"--render-frames", "o", "--to", "9223372036854775807", "--frames", "3", "--curve", "lin"});
    EXPECT_EQ(s.frame(2).n, 1'000'000);
    EXPECT_EQ(parse({"--render-frames", "o", "--frames", "9223372036854775807"}).count(),
              FrameSchedule::maxFrames);
}

TEST(FrameScheduleTest, TheCameraTurnsWithASmoothstep) {
    const FrameSchedule s = parse({"--render-frames", "o", "--frames", "5", "--yaw0", "1.0"});
    EXPECT_FLOAT_EQ(s.frame(0).yaw, 1.0f);
    EXPECT_FLOAT_EQ(s.frame(2).yaw, 0.625f);
    EXPECT_FLOAT_EQ(s.frame(4).yaw, 0.25f); // yaw1 keeps its own default
    EXPECT_FLOAT_EQ(s.frame(1).yaw, 1.0f + (0.25f - 1.0f) * float(0.25 * 0.25 * 2.5));
}

TEST(FrameScheduleTest, SizesTakeAnOptionalHeightAndAreClamped) {
    auto size = [](std::vector<std::string> words) {
        words.insert(words.begin(), {"--render-frames", "o"});
        const FrameSchedule s = parse(words);
        return std::pair(s.width, s.height);
    };
    EXPECT_EQ(size({"--size", "1920", "1080"}), std::pair(1920, 1080));
    EXPECT_EQ(size({"--size", "800"}), std::pair(800, 800));
    EXPECT_EQ(size({"--size", "wide", "600"}), std::pair(1080, 600));
    EXPECT_EQ(size({"--size", "0", "-5"}), std::pair(1, 1));
    EXPECT_EQ(size({"--size", "99999999"}), std::pair(16384, 16384));
}

TEST(FrameScheduleTest, ValuesAreReadAsWholeWordsOnly) {
    // The word after --render-frames is the folder, whatever it is.
    const FrameSchedule s = parse({"--render-frames", "--seed", "7"});
    EXPECT_EQ(s.folder, "--seed");
    EXPECT_EQ(s.seed, 7u);
    EXPECT_EQ(parse({"--render-frames"}).folder, "frames");
    EXPECT_EQ(parse({"--render-frames", "o", "--seed", "-4"}).seed, 12345u);
    EXPECT_EQ(parse({"--render-frames", "o", "--seed", "12x"}).seed, 12345u);
    EXPECT_EQ(parse({"--render-frames", "o", "--seed", "+9"}).seed, 9u);
    EXPECT_EQ(parse({"--render-frames", "o", "--frames", "1.5"}).count(), 60);
    EXPECT_EQ(parse({"--render-frames", "o", "--from", "+5"}).from, 5);
    EXPECT_FLOAT_EQ(parse({"--render-frames", "o", "--pitch", "0,3"}).pitch, 0.16f);
    EXPECT_FLOAT_EQ(parse({"--render-frames", "o", "--dist", "nan"}).distance, 10.5f);
    EXPECT_FLOAT_EQ(parse({"--render-frames", "o", "--dist", "12.5"}).distance, 12.5f);
}

TEST(FrameScheduleTest, FileNamesHaveAtLeastFourDigits) {
    EXPECT_EQ(FrameSchedule::fileName(0), "f0000.png");
    EXPECT_EQ(FrameSchedule::fileName(59), "f0059.png");
    EXPECT_EQ(FrameSchedule::fileName(12345), "f12345.png");
}

} // namespace
} // namespace vesk
