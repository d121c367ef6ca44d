#include "render/engine/FallingSetup.hpp"

#include <algorithm>
#include <cmath>

namespace vesk {

FallingSetup::FallingSetup(std::span<const bonsai::Cube> tree, const bonsai::Species& species,
                           const std::map<bonsai::CellKey, std::int32_t>& dioramaTop, const Framing& frame)
    : colors(species.fallColors), size(frame.scale * (species.fallScale >= 1.0f ? 0.75f : 0.55f)),
      top(std::make_shared<const std::map<bonsai::CellKey, std::int32_t>>(dioramaTop)), floorY(frame.floorY),
      frame(frame) {
    std::vector<const bonsai::Cube*> leaves;
    for (const bonsai::Cube& c : tree)
        if (!bonsai::isWood(c.kind)) leaves.push_back(&c);
    rate = leaves.size() < minLeaves ? 0.0f : species.fallRate;
    const std::size_t step = std::max<std::size_t>(leaves.size() / 400, 1);
    for (std::size_t i = 0; i < leaves.size(); i += step) {
        const bonsai::Cube& c = *leaves[i];
        spawn.push_back(frame.offset + frame.scale * bonsai::Vec3{float(c.x), float(c.y), float(c.z)});
    }
}

FallingCubes::Config FallingSetup::config() const {
    FallingCubes::Config cfg;
    cfg.colors = colors;
    cfg.rate = rate;
    cfg.size = size;
    cfg.spawn = spawn;
    cfg.rest = [frame = frame, top = top, floorY = floorY](float x, float z) {
        // std::lround rounds halves away from zero.
        const auto ix = std::int32_t(std::lround((x - frame.offset.x) / frame.scale));
        const auto iz = std::int32_t(std::lround((z - frame.offset.z) / frame.scale));
        const auto it = top->find(bonsai::cellKey(ix, 0, iz));
        return it == top->end() ? floorY : frame.offset.y + (float(it->second) + 0.5f) * frame.scale;
    };
    return cfg;
}

} // namespace vesk
