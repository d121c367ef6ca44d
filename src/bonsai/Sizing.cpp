#include "bonsai/Sizing.hpp"

#include "bonsai/VoxelGrower.hpp"

#include <algorithm>
#include <cstdlib>

namespace vesk::bonsai {

namespace {

bool byBirthThenKey(const RevealCube& a, const RevealCube& b) {
    if (a.birth != b.birth) return a.birth < b.birth;
    return a.key < b.key;
}

} // namespace

SizedDesign designToSize(std::uint64_t seed, const Species& species, Style style, std::int64_t target,
                         bool smallTarget, const KeepGoing& keepGoing) {
    const auto stopped = [&] { return keepGoing && !keepGoing(); };
    float scale = fm::cbrt(float(target)) * 1.6f;
    if (scale <= 1.2f) scale = 1.2f;
    if (stopped()) return {};
    Design d = VoxelGrower::design(seed, species, style, scale);
    for (int redesign = 0; redesign < 9 && !stopped(); ++redesign) {
        const std::int64_t count = std::int64_t(d.wood.size()) + d.natural;
        const std::int64_t diff = std::abs(count - target);
        if (smallTarget ? diff <= 1 : diff <= target / 60) break;
        const float ratio = fm::pow(float(target) / float(std::max<std::int64_t>(count, 1)), 0.33333334f);
        const float f = ratio <= 0.6f ? 0.6f : (ratio > 1.6f ? 1.6f : ratio);
        scale = std::max(scale * f, 0.8f);
        d = VoxelGrower::design(seed, species, style, scale);
    }
    return {std::move(d), scale};
}

std::vector<Candidate> candidatesInOrder(const Design& design) {
    std::vector<Candidate> out;
    out.reserve(design.leaves.size());
    design.leaves.forEach([&](CellKey key, const LeafCand& c) {
        out.push_back({key, c.score, c.birth, c.pad});
    });
    std::sort(out.begin(), out.end(), [](const Candidate& a, const Candidate& b) {
        if (a.score != b.score) return a.score > b.score;
        return a.key < b.key;
    });
    return out;
}

std::vector<RevealCube> woodInOrder(const Design& design) {
    std::vector<RevealCube> wood;
    wood.reserve(design.wood.size());
    design.wood.forEach([&](CellKey key, const WoodCell& w) {
        wood.push_back({key, w.birth, w.kind, -1, {}});
    });
    std::sort(wood.begin(), wood.end(), byBirthThenKey);
    return wood;
}

std::vector<Cube> cutCubes(std::vector<RevealCube> entries, std::uint64_t seed, const Species& species,
                           const std::vector<Pad>& pads) {
    std::sort(entries.begin(), entries.end(), byBirthThenKey);
    std::vector<Cube> cubes;
    cubes.reserve(entries.size());
    const std::uint64_t colorSeed = seed ^ VoxelGrower::salt::cubeColorSeed;
    const std::uint32_t seedU = std::uint32_t(seed);
    for (const RevealCube& e : entries) {
        RNG rng(VoxelGrower::subSeed(colorSeed, e.key - VoxelGrower::salt::cubeColorKey));
        const Pad* pad = e.pad >= 0 && std::size_t(e.pad) < pads.size() ? &pads[std::size_t(e.pad)] : nullptr;
        const std::int32_t x = keyX(e.key), y = keyY(e.key), z = keyZ(e.key);
        const Vec3 color =
            e.color ? *e.color : VoxelGrower::colorize(e.kind, x, y, z, pad, species, seedU, rng);
        cubes.push_back({x, y, z, e.kind, color});
    }
    return cubes;
}

} // namespace vesk::bonsai
