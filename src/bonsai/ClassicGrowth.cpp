#include "bonsai/Sizing.hpp"
#include "bonsai/VoxelGrower.hpp"

#include <algorithm>
#include <cmath>

// The fallback tree of exactly n cubes, for counts that no stage's blueprint covers.
namespace vesk::bonsai::VoxelGrower {

namespace {

struct RingCell {
    CellKey key;
    float score;
};

// A trimmed wood of n − n/3 cubes from the base upward, crowned by a ring of leaves around its
// highest cell.
void trimmedTree(std::uint64_t seed, const Design& d, const std::vector<RevealCube>& wood, std::int64_t n,
                 std::int64_t iterations, std::vector<RevealCube>& entries, CellSet& used) {
    const std::int64_t q = iterations < 3 ? 1 : n / 3;
    const std::size_t w = std::size_t(std::min<std::int64_t>(n - q, std::int64_t(wood.size())));
    std::int32_t topX = d.base.x, topY = 0, topZ = d.base.z;
    float lastBirth = 0.0f;
    for (std::size_t i = 0; i < w; ++i) {
        const RevealCube& c = wood[i];
        entries.push_back(c);
        used.insert(c.key);
        const std::int32_t y = keyY(c.key);
        if (y > topY) topX = keyX(c.key), topY = y, topZ = keyZ(c.key);
        lastBirth = i == 0 ? c.birth : std::max(lastBirth, c.birth);
    }
    const float b = lastBirth + 1.0f;

    RNG rng(subSeed(seed, salt::classic));
    std::vector<RingCell> ring;
    for (std::int32_t dx = -2; dx <= 2; ++dx)
        for (std::int32_t dy = -2; dy <= 2; ++dy)
            for (std::int32_t dz = -2; dz <= 2; ++dz) {
                const std::int32_t y = topY + dy;
                const CellKey key = cellKey(topX + dx, y, topZ + dz);
                if (y < 0 || used.contains(key)) continue;
                const float ex = float(dx), ey = float(y) - (float(topY) + 0.9f), ez = float(dz);
                ring.push_back({key, std::sqrt((ex * ex + ey * ey) + ez * ez) + rng.range(0.0f, 0.3f)});
            }
    std::sort(ring.begin(), ring.end(), [](const RingCell& a, const RingCell& b) {
        if (a.score != b.score) return a.score < b.score;
        return a.key < b.key;
    });
    const std::size_t take = std::min(std::size_t(q), ring.size());
    for (std::size_t i = 0; i < take; ++i) {
        entries.push_back({ring[i].key, b + ring[i].score, CubeKind::leaf, -1, std::nullopt});
        used.insert(ring[i].key);
    }
}

// Grows leaves outward, breadth first, until there are n entries or no free neighbour is left.
void fill(std::int64_t n, std::vector<RevealCube>& entries, CellSet& used) {
    std::vector<CellKey> frontier;
    for (const RevealCube& e : entries)
        if (e.kind == CubeKind::leaf) frontier.push_back(e.key);
    if (frontier.empty())
        for (const RevealCube& e : entries)
            frontier.push_back(e.key);
    float b0 = 1.0f;
    if (!entries.empty()) {
        float latest = entries.front().birth;
        for (const RevealCube& e : entries)
            latest = std::max(latest, e.birth);
        b0 = latest + 1.0f;
    }
    static constexpr std::int32_t steps[6][3] = {{0, 1, 0}, {1, 0, 0},  {-1, 0, 0},
                                                 {0, 0, 1}, {0, 0, -1}, {0, -1, 0}};
    for (std::size_t i = 0; i < frontier.size() && std::int64_t(entries.size()) < n; ++i) {
        const CellKey from = frontier[i];
        for (const auto& s : steps) {
            if (std::int64_t(entries.size()) >= n) break;
            const std::int32_t y = keyY(from) + s[1];
            if (y <= 0) continue;
            const CellKey key = cellKey(keyX(from) + s[0], y, keyZ(from) + s[2]);
            if (!used.insert(key)) continue;
            frontier.push_back(key);
            entries.push_back({key, b0 + float(entries.size()) * 0.01f, CubeKind::leaf, -1, std::nullopt});
        }
    }
}

} // namespace

VoxelTree classic(std::uint64_t seed, std::int64_t iterations, std::optional<std::int64_t> forcedSpecies,
                  std::optional<Style> forcedStyle) {
    const std::int64_t n = std::clamp<std::int64_t>(iterations, 1, maxCubes);
    auto [species, style] = speciesAndStyle(seed, forcedSpecies, forcedStyle);
    SizedDesign sized = designToSize(seed, species, style, n, iterations < 60);
    const Design& d = sized.design;
    const std::vector<RevealCube> wood = woodInOrder(d);

    std::vector<RevealCube> entries;
    entries.reserve(std::size_t(n));
    CellSet used;
    used.reserve(std::size_t(n));
    if (std::int64_t(wood.size()) < n) {
        for (const RevealCube& c : wood) {
            entries.push_back(c);
            used.insert(c.key);
        }
        const std::vector<Candidate> order = candidatesInOrder(d);
        const std::size_t take = std::min(std::size_t(n - std::int64_t(wood.size())), order.size());
        for (std::size_t i = 0; i < take; ++i) {
            entries.push_back({order[i].key, order[i].birth, CubeKind::leaf, order[i].pad, std::nullopt});
            used.insert(order[i].key);
        }
    } else {
        trimmedTree(seed, d, wood, n, iterations, entries, used);
    }
    if (std::int64_t(entries.size()) < n) fill(n, entries, used);

    return {seed,  n,      species,     style,    cutCubes(std::move(entries), seed, species, d.pads),
            d.pot, d.base, sized.scale, d.leanDir};
}

} // namespace vesk::bonsai::VoxelGrower
