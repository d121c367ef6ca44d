#include "bonsai/Blueprint.hpp"

#include "bonsai/Sizing.hpp"
#include "bonsai/VoxelGrower.hpp"

#include <algorithm>
#include <cmath>

namespace vesk::bonsai {

namespace {

struct Timed {
    double time; // reveal time: the rank of a leaf, just after it for a strand cube
    RevealCube cube;
};

// Hanging strands of a racemes species: short runs of the second colours straight down from
// randomly chosen top candidates, each revealed right after the candidate it hangs from.
void hangStrands(const Design& d, const Species& species, float scale, std::int64_t target,
                 std::uint64_t seed, int stage, const std::vector<Candidate>& order, CellSet& strandCells,
                 std::vector<Timed>& out) {
    const auto& colors = species.secondaryColors;
    // A strand needs colours to hang in; without any there are no strands.
    if (colors.empty()) return;
    RNG rng(VoxelGrower::subSeed(seed, stage));
    const std::int64_t budget = std::max<std::int64_t>(target - std::int64_t(d.wood.size()), 1);
    const std::size_t m = std::size_t(std::min<std::int64_t>(budget, std::int64_t(order.size())));
    CellSet topCells;
    topCells.reserve(m);
    for (std::size_t i = 0; i < m; ++i)
        topCells.insert(order[i].key);
    std::int64_t strandsLeft = std::int64_t(float(budget) * 0.15f);
    const std::int64_t maxExtra = std::max<std::int64_t>(truncToInt(scale * 0.17f), 2);

    struct Ranked {
        std::size_t rank;
        Candidate cand;
    };
    std::vector<Ranked> shuffled;
    shuffled.reserve(m);
    for (std::size_t i = 0; i < m; ++i)
        shuffled.push_back({i, order[i]});
    rng.shuffle(std::span<Ranked>(shuffled));

    const float lastColor = float(colors.size() - 1);
    const std::int32_t maxIndex = std::int32_t(colors.size()) - 1;
    for (const Ranked& r : shuffled) {
        if (strandsLeft <= 0) break;
        const std::int32_t y = keyY(r.cand.key);
        if (y < 2) continue;
        const CellKey below = keyBelow(r.cand.key);
        if (topCells.contains(below)) continue;
        if (d.wood.contains(below) || !rng.chance(0.55f)) continue;
        const std::int64_t length = std::min<std::int64_t>(2 + rng.integer(maxExtra), strandsLeft);
        const float span = float(std::max<std::int64_t>(length, 2) - 1);
        CellKey key = r.cand.key;
        for (std::int64_t j = 1; j <= length; ++j) {
            key = keyBelow(key);
            if (y - j <= 0) break;
            if (topCells.contains(key) || d.wood.contains(key) || strandCells.contains(key)) break;
            const float t = (rng.range(-0.35f, 0.35f) + (float(j - 1) / span) * lastColor) + 0.5f;
            const std::int32_t index = std::clamp(truncToInt(t), 0, maxIndex);
            const float k = rng.range(0.9f, 1.06f);
            const double time = (double(r.rank) + 0.5) + double(j) * 0.01;
            const float birth = (r.cand.birth + 1.5f) + float(j) * 0.9f;
            out.push_back({time, {key, birth, CubeKind::flower, -1, colors[std::size_t(index)] * k}});
            strandCells.insert(key);
            strandsLeft -= 1;
        }
    }
}

} // namespace

VoxelTree Blueprint::tree(std::int64_t count) const {
    const std::int64_t woodCount = std::int64_t(wood.size());
    // No tree grows beyond the generator's cap, whatever the stage holds.
    const std::int64_t capped = std::min(count, VoxelGrower::maxCubes);
    const std::int64_t c = std::clamp(capped, woodCount, woodCount + std::int64_t(crown.size()));
    std::vector<RevealCube> entries;
    entries.reserve(std::size_t(c));
    entries.insert(entries.end(), wood.begin(), wood.end());
    entries.insert(entries.end(), crown.begin(), crown.begin() + (c - woodCount));
    return {seed, c,    species, style,  cutCubes(std::move(entries), seed, species, pads),
            pot,  base, height,  leanDir};
}

namespace VoxelGrower {

Blueprint blueprint(std::uint64_t seed, int stage, std::optional<std::int64_t> forcedSpecies,
                    std::optional<Style> forcedStyle, const KeepGoing& keepGoing) {
    // Stages come from callers' arithmetic; keep them inside what the generator grows.
    stage = std::clamp(stage, 0, maxStage());
    auto [species, style] = speciesAndStyle(seed, forcedSpecies, forcedStyle);
    const double size = std::round(double(stageSize(stage)) / 1.224744871391589);
    const std::int64_t target = std::max<std::int64_t>(std::int64_t(size), 1);
    SizedDesign sized = designToSize(seed, species, style, target, target < 60, keepGoing);
    if (keepGoing && !keepGoing()) return {};
    const Design& d = sized.design;

    Blueprint bp;
    bp.seed = seed;
    bp.stage = stage;
    bp.style = style;
    bp.height = sized.scale;
    bp.pot = d.pot;
    bp.base = d.base;
    bp.leanDir = d.leanDir;
    bp.wood = woodInOrder(d);

    const std::vector<Candidate> order = candidatesInOrder(d);
    CellSet strandCells;
    std::vector<Timed> timed;
    timed.reserve(order.size());
    if (species.racemes) hangStrands(d, species, sized.scale, target, seed, stage, order, strandCells, timed);
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        const Candidate& c = order[rank];
        if (strandCells.contains(c.key)) continue;
        timed.push_back({double(rank), {c.key, c.birth, CubeKind::leaf, c.pad, std::nullopt}});
    }
    std::sort(timed.begin(), timed.end(), [](const Timed& a, const Timed& b) {
        if (a.time != b.time) return a.time < b.time;
        return a.cube.key < b.cube.key;
    });
    bp.crown.reserve(timed.size());
    for (Timed& t : timed)
        bp.crown.push_back(std::move(t.cube));
    bp.pads = d.pads;
    bp.species = std::move(species);
    return bp;
}

} // namespace VoxelGrower

} // namespace vesk::bonsai
