#include "garden/garden/NurseryDraw.hpp"

#include "bonsai/VoxelGrower.hpp"

#include <algorithm>
#include <set>
#include <string>

namespace vesk {
namespace {

constexpr std::size_t offered = 3;
constexpr int maxTries = 200;
// From this try on a repeated species is taken rather than offering fewer seedlings.
constexpr int lastDistinctTry = 148;

std::set<std::uint64_t> plantedSeeds(const BonsaiProgress& progress) {
    std::set<std::uint64_t> seeds;
    for (const GardenTree& tree : progress.garden)
        seeds.insert(tree.seed);
    return seeds;
}

} // namespace

std::vector<std::uint64_t> nurserySeedlings(const BonsaiProgress& progress, RandomSource& random) {
    const std::set<std::uint64_t> planted = plantedSeeds(progress);
    std::vector<std::uint64_t> seeds;
    std::set<std::string> species;
    for (int i = 0; i < maxTries && seeds.size() < offered; ++i) {
        // 40 bits: well inside the seeds a garden accepts.
        const std::uint64_t candidate = (random.next() >> 24) + 1;
        if (planted.contains(candidate)) continue;
        const std::string name = bonsai::VoxelGrower::speciesAndStyle(candidate).first.name;
        if (species.contains(name) && i <= lastDistinctTry) continue;
        species.insert(name);
        seeds.push_back(candidate);
    }
    return seeds;
}

std::vector<std::uint64_t> refilledNursery(std::vector<std::uint64_t> nursery, const BonsaiProgress& progress,
                                           RandomSource& random) {
    const std::set<std::uint64_t> planted = plantedSeeds(progress);
    std::erase_if(nursery, [&](std::uint64_t seed) { return planted.contains(seed); });
    if (nursery.size() <= 2) return nurserySeedlings(progress, random);
    return nursery;
}

} // namespace vesk
