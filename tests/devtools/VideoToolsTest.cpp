#include "devtools/VideoTools.hpp"

#include "support/FakeFileSystem.hpp"

#include <gtest/gtest.h>
#include <sstream>

namespace vesk {
namespace {

FrameSchedule schedule(std::vector<std::string> words) {
    words.insert(words.begin(), {"/usr/bin/vesk", "--render-frames", "/out/run"});
    return FrameSchedule(words);
}

// A frame whose pixels say which cube count and size it was drawn for.
std::optional<gl::Frame> flatFrame(const FrameSchedule& s, const FrameSchedule::Frame& f) {
    gl::Frame frame{s.width, s.height, {}};
    frame.rgba.assign(std::size_t(s.width) * std::size_t(s.height) * 4, std::uint8_t(f.n));
    for (std::size_t i = 3; i < frame.rgba.size(); i += 4)
        frame.rgba[i] = 255;
    return frame;
}

struct FrameRun {
    int status = 0;
    std::string out, err;
};

FrameRun render(const FrameSchedule& s, const VideoTools::DrawFrame& draw, test::FakeFileSystem& files) {
    std::ostringstream out, err;
    const int status = VideoTools::renderFrames(s, draw, files, out, err);
    return {status, out.str(), err.str()};
}

TEST(VideoToolsTest, WritesOneNumberedPngPerFrameAndReportsTheFolder) {
    test::FakeFileSystem files;
    const FrameRun run = render(schedule({"--frames", "3", "--size", "8", "6"}), flatFrame, files);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "rendered 3 frames \u2192 /out/run\n");
    EXPECT_EQ(files.filesIn("/out/run"),
              (std::vector<std::filesystem::path>{"/out/run/f0000.png", "/out/run/f0001.png",
                                                  "/out/run/f0002.png"}));
    const auto png = files.contents("/out/run/f0001.png");
    ASSERT_TRUE(png);
    ASSERT_GE(png->size(), 24u);
    EXPECT_EQ(png->substr(1, 3), "PNG");
    // The IHDR chunk holds the width and height, big-endian.
    EXPECT_EQ(png->substr(16, 8), std::string("\0\0\0\x08\0\0\0\x06", 8));
}

TEST(VideoToolsTest, FailedFramesAreReportedButTheLineStillCountsEveryFrame) {
    test::FakeFileSystem files;
    files.failingWrites.insert("/out/run/f0001.png");
    FrameRun run = render(schedule({"--frames", "3", "--size", "4"}), flatFrame, files);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "rendered 3 frames \u2192 /out/run\n");
    EXPECT_NE(run.err.find("f0001.png"), std::string::npos) << run.err;
    EXPECT_TRUE(files.contents("/out/run/f0002.png"));

    // No GL: nothing is written, and the run says so.
    test::FakeFileSystem empty;
    const auto noGl = [](const FrameSchedule&, const FrameSchedule::Frame&) {
        return std::optional<gl::Frame>();
    };
    run = render(schedule({"--frames", "2", "--size", "4"}), noGl, empty);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "rendered 2 frames \u2192 /out/run\n");
    EXPECT_TRUE(empty.filesIn("/out/run").empty());
    EXPECT_NE(run.err.find("frame 1"), std::string::npos) << run.err;
}

TEST(VideoToolsTest, AFolderThatCannotBeMadeFailsEveryWrite) {
    test::FakeFileSystem files;
    files.failFolderCreation = true;
    const FrameRun run = render(schedule({"--frames", "2", "--size", "4"}), flatFrame, files);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "rendered 2 frames \u2192 /out/run\n");
}

} // namespace
} // namespace vesk
