#pragma once

#include "core/runtime/FileSystem.hpp"
#include "devtools/FrameSchedule.hpp"
#include "render/gl/OffscreenRenderer.hpp"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// The developer's video tools. This part renders one tree, growing while the camera turns,
// into numbered PNG frames in a folder, without any window.
namespace vesk::VideoTools {

// `vesk --render-frames DIR [options]`: `words` is the whole command line. Draws with the
// garden's offscreen renderer and prints "rendered N frames → /abs/dir". Returns the exit
// status: 0, or 1 when a frame could not be rendered or written (said on standard error).
int renderFrames(const std::vector<std::string>& words);

// One frame's pixels for its cube count and camera; nothing when it cannot be drawn.
using DrawFrame = std::function<std::optional<gl::Frame>(const FrameSchedule&, const FrameSchedule::Frame&)>;

// The frame loop over any drawing and file system.
int renderFrames(const FrameSchedule& schedule, const DrawFrame& draw, FileSystem& files, std::ostream& out,
                 std::ostream& err);

} // namespace vesk::VideoTools
