#include "shell/LaunchSteps.hpp"

#include "core/store/Store.hpp"

#include <algorithm>

namespace vesk::LaunchSteps {

void forceSeed(Store& store, std::uint64_t seed, Clock& clock, RandomSource& random) {
    if (seed == 0) return;
    store.bonsai.update([&](BonsaiProgress& progress) {
        const bool planted = std::any_of(progress.garden.begin(), progress.garden.end(),
                                         [&](const GardenTree& tree) { return tree.seed == seed; });
        if (!planted) progress.garden.push_back(GardenTree{UUID::random(random), seed, clock.now(), 0});
        progress.seed = seed;
    });
}

} // namespace vesk::LaunchSteps
