#pragma once

#include "render/scene/FramePlan.hpp"

#include <cstddef>
#include <unordered_set>
#include <vector>

namespace vesk::gl {

// Sorts a frame's shadow casters into those that stayed as they were since the frame before
// (the same mesh and material values in the same place) and those that moved, so that a
// kept shadow map of the first is drawn again only when that set or the light changes.
class ShadowCasters {
  public:
    struct Split {
        std::vector<const scene::FramePlan::Item*> settled;
        std::vector<const scene::FramePlan::Item*> moving;
        // Stands for the settled casters, the light and the map size: equal keys, equal maps.
        std::size_t settledKey = 0;
    };

    Split split(const scene::FramePlan& plan, int mapSize);
    // The next frame finds nothing settled.
    void forget() { last_.clear(); }

  private:
    std::unordered_set<std::size_t> last_;
};

} // namespace vesk::gl
