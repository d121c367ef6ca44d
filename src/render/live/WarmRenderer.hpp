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
// the live scene will ask of it: a small tree of its own grows, sparks and sheds leaves in a
// few frames at the first of `sizes` (width, height), and one frame is drawn at each other.
// The context, the programs and the driver's code for them are then ready before a view draws
// its first frame; the frame images are freed again (quick to make, and a panel opened
// without a 3D view on screen should not hold them), and the renderer is released from this
// thread for another to take over. Software rasterisers get the light quality first, as the
// views will. Nothing when there is no headless GL; `log` says why. Once `stop` is set (when
// given) no further frame is drawn.
std::unique_ptr<gl::OffscreenRenderer> makeWarmRenderer(const std::vector<std::pair<int, int>>& sizes,
                                                        std::string& log,
                                                        const std::atomic<bool>* stop = nullptr);

} // namespace vesk
