#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vesk {

// What `vesk --render-frames` draws: the options of the command line and, from them, the
// cube count and camera of every frame. Plain arithmetic, so it can be checked frame by
// frame without rendering anything.
struct FrameSchedule {
    // The largest frame side the mode accepts; larger or non-positive sizes are clamped.
    static constexpr std::int64_t maxSide = 16384;
    // More frames than this would take days to render: the count is capped.
    static constexpr std::int64_t maxFrames = 1'000'000;

    std::filesystem::path folder = "frames";
    std::uint64_t seed = 12345;
    std::int64_t frames = 60; // as given; count() is what is rendered
    std::int64_t from = 1;
    std::int64_t to = 1500;
    int width = 1080;
    int height = 1080;
    float yaw0 = 0.25f;
    float yaw1 = 0.25f;
    float pitch = 0.16f;
    float distance = 10.5f;
    bool exponential = true;

    struct Frame {
        std::int64_t n = 1; // cube count, at least 1
        float yaw = 0.0f;

        friend bool operator==(const Frame&, const Frame&) = default;
    };

    FrameSchedule() = default;
    // `words` is the whole command line, the program path first; values that do not read
    // keep their defaults.
    explicit FrameSchedule(const std::vector<std::string>& words);

    std::int64_t count() const;
    // Frame i of count(): its progress runs from 0 to 1 (a single frame shows the end).
    Frame frame(std::int64_t index) const;
    // "f0000.png", "f0001.png", …
    static std::string fileName(std::int64_t index);
};

} // namespace vesk
