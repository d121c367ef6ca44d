#include "devtools/LaunchSteps.hpp"

#include "core/store/Store.hpp"

#include <algorithm>

namespace vesk::LaunchSteps {

void forceSeed(Store& store, std::uint64_t seed, const Clock& clock, RandomSource& random) {
    if (seed == 0) return;
    store.bonsai.update([&](BonsaiProgress& progress) {
        if (!treeWithSeed(progress, seed))
            progress.garden.push_back(GardenTree{UUID::random(random), seed, clock.now(), 0});
        progress.seed = seed;
    });
    store.syncTicker();
    store.scheduleSave();
}

} // namespace vesk::LaunchSteps
