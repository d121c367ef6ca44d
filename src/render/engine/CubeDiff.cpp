#include "render/engine/CubeDiff.hpp"

#include "bonsai/CellMap.hpp"

namespace vesk {

namespace {

bonsai::CellSet cellsOf(std::span<const bonsai::Cube> cubes) {
    bonsai::CellSet cells;
    cells.reserve(cubes.size());
    for (const bonsai::Cube& c : cubes)
        cells.insert(bonsai::cellKey(c.x, c.y, c.z));
    return cells;
}

} // namespace

CubeDiff::CubeDiff(std::span<const bonsai::Cube> before, std::span<const bonsai::Cube> after) {
    const bonsai::CellSet old = cellsOf(before), now = cellsOf(after);
    for (const bonsai::Cube& c : after)
        (old.contains(bonsai::cellKey(c.x, c.y, c.z)) ? kept : added).push_back(c);
    for (const bonsai::Cube& c : before)
        if (!now.contains(bonsai::cellKey(c.x, c.y, c.z))) removed.push_back(c);
}

SparkPlan::SparkPlan(const CubeDiff& diff, const Framing& frame, scene::Vec3 target) {
    const std::size_t count = diff.added.size();
    if (count < 1 || count > maxAdded || !diff.removed.empty()) return;
    // The reveal camera's viewing direction: the cube furthest along it is the one to lean toward.
    const scene::Vec3 view{0.24424393f, 0.15931821f, 0.95653677f};
    float best = 0.0f;
    for (std::size_t i = 0; i < count; ++i) {
        const bonsai::Cube& c = diff.added[i];
        const scene::Vec3 p = frame.offset + frame.scale * scene::Vec3{float(c.x), float(c.y), float(c.z)};
        const float start = count == 1 ? 0.15f : float(i) * 0.7f / float(count - 1);
        sparks.push_back({p, start});
        const float along = bonsai::dot(p - target, view);
        if (!focus || along > best) {
            focus = p;
            best = along;
        }
    }
}

} // namespace vesk
