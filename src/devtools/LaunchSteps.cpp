#include "devtools/LaunchSteps.hpp"

#include "core/store/Store.hpp"

#include <algorithm>

namespace vesk::LaunchSteps {

void forceSeed(Store& store, std::uint64_t seed, const Clock& clock, RandomSource& random) {
    if (seed == 0) return;
    store.seed([&](Snapshot& data) {
        BonsaiProgress& progress = *data.bonsai;
        if (!treeWithSeed(progress, seed))
            progress.garden.push_back(GardenTree{UUID::random(random), seed, clock.now(), 0});
        progress.seed = seed;
    });
}

} // namespace vesk::LaunchSteps
