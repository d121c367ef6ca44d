#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vesk {

namespace gl {
class OffscreenRenderer;
}

// The live views' headless renderer, made on the calling thread and run through everything
// the live scene will ask of it: a frame at each of `sizes` (width, height) but the last, then
// a small tree of its own grows, sparks and sheds leaves in a few frames at the last, the size
// drawn first later. The context, the programs, the driver's code for them and the frame
// images are then ready before a view draws its first frame, and the renderer is released
// from this thread for another to take over. Software rasterisers get the light quality
// first, as the views will. Nothing when there is no headless GL; `log` says why. Once `stop`
// is set (when given) no further frame is drawn.
std::unique_ptr<gl::OffscreenRenderer> makeWarmRenderer(const std::vector<std::pair<int, int>>& sizes,
                                                        std::string& log,
                                                        const std::atomic<bool>* stop = nullptr);

} // namespace vesk
