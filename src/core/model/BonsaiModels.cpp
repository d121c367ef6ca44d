#include "core/model/BonsaiModels.hpp"

#include "core/model/Saturating.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vesk {
namespace {

__int128 threshold(__int128 k) {
    return 25 * k * (k + 1);
}

} // namespace

std::int64_t seedlingsUnlockedBy(std::int64_t total) {
    if (total < threshold(1)) return 0;
    // Closed form instead of stepping through the thresholds: a hand-edited total of 10^18
    // would otherwise take 10^8 steps on every read. The root is close; the loops fix rounding.
    const long double root = (std::sqrt(1.0L + 4.0L * static_cast<long double>(total) / 25.0L) - 1.0L) / 2.0L;
    __int128 k = static_cast<__int128>(root);
    while (k > 0 && threshold(k) > total)
        --k;
    while (threshold(k + 1) <= total)
        ++k;
    return static_cast<std::int64_t>(k);
}

std::int64_t BonsaiProgress::totalGained() const {
    std::int64_t total = 0;
    for (const BonsaiGain& gain : gains)
        total = saturatingAdd(total, gain.amount);
    return total;
}

std::int64_t BonsaiProgress::seedlingsUnlocked() const {
    return seedlingsUnlockedBy(totalGained());
}

std::int64_t BonsaiProgress::seedlingsAvailable() const {
    // A hand-edited planted count could overflow the difference; it saturates instead.
    std::int64_t available = 0;
    if (!__builtin_sub_overflow(seedlingsUnlocked(), seedlingsPlanted, &available)) return available;
    return seedlingsPlanted < 0 ? INT64_MAX : INT64_MIN;
}

const GardenTree* treeWithSeed(const BonsaiProgress& progress, std::uint64_t seed) {
    if (seed == 0) return nullptr;
    const auto found = std::find_if(progress.garden.begin(), progress.garden.end(),
                                    [&](const GardenTree& tree) { return tree.seed == seed; });
    return found == progress.garden.end() ? nullptr : &*found;
}

GardenTree* treeWithSeed(BonsaiProgress& progress, std::uint64_t seed) {
    return const_cast<GardenTree*>(treeWithSeed(std::as_const(progress), seed));
}

std::int64_t shownCubes(const GardenTree& tree) {
    return saturatingAdd(tree.cubesGrown, 1);
}

} // namespace vesk
