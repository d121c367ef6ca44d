// The growth ledger and the garden. Counts come from a file the user may edit by hand, so
// every sum saturates instead of overflowing.
#include "core/model/Saturating.hpp"
#include "core/store/Store.hpp"

#include <algorithm>

namespace vesk {

void Store::grow(std::int64_t amount, GainReason reason) {
    const std::int64_t unlockedBefore = bonsai.get().seedlingsUnlocked();
    std::optional<std::pair<std::int64_t, std::int64_t>> shown;
    bonsai.update([&](BonsaiProgress& progress) {
        progress.gains.push_back(BonsaiGain{env_.clock.now(), amount, reason});
        if (GardenTree* current = treeWithSeed(progress, progress.seed)) {
            const std::int64_t old = current->cubesGrown;
            current->cubesGrown = saturatingAdd(old, amount);
            shown.emplace(saturatingAdd(old, 1), shownCubes(*current));
        } else {
            // Every cube counts towards unlocking, planted tree or not.
            progress.pending = saturatingAdd(progress.pending, amount);
        }
    });
    // The signals come after the change, so that a reaction reading `bonsai` sees the new counts.
    if (shown) grew.send(shown->first, shown->second, reason);
    if (bonsai.get().seedlingsUnlocked() > unlockedBefore) seedlingUnlocked.send();
}

std::int64_t Store::completionReward() {
    return static_cast<std::int64_t>(env_.random.uniform(2, 4));
}

bool Store::plant(std::uint64_t seed) {
    if (seed == 0 || seed > maxSeed) return false;
    BonsaiProgress progress = bonsai.get();
    if (treeWithSeed(progress, seed)) {
        // Switching back to a tree of the garden spends nothing; its cubes stay.
        progress.seed = seed;
    } else if (progress.garden.empty()) {
        // The first tree is free and takes every cube earned before it.
        progress.garden.push_back(
            GardenTree{UUID::random(env_.random), seed, env_.clock.now(), progress.pending});
        progress.pending = 0;
        progress.seed = seed;
    } else {
        // A comparison rather than a difference, which a hand-edited count could overflow.
        if (progress.seedlingsUnlocked() <= progress.seedlingsPlanted) return false;
        progress.garden.push_back(GardenTree{UUID::random(env_.random), seed, env_.clock.now(), 0});
        progress.seedlingsPlanted = saturatingAdd(progress.seedlingsPlanted, 1);
        progress.seed = seed;
    }
    bonsai.set(std::move(progress));
    changed();
    return true;
}

void Store::removeFromGarden(const UUID& treeID) {
    const auto& garden = bonsai.get().garden;
    const auto found =
        std::find_if(garden.begin(), garden.end(), [&](const GardenTree& tree) { return tree.id == treeID; });
    if (found == garden.end() || found->seed == bonsai.get().seed) return;
    bonsai.update([&](BonsaiProgress& progress) {
        std::erase_if(progress.garden, [&](const GardenTree& tree) { return tree.id == treeID; });
    });
    changed();
}

void Store::debugSetIteration(std::int64_t shownCubes) {
    bonsai.update([&](BonsaiProgress& progress) {
        if (GardenTree* current = treeWithSeed(progress, progress.seed))
            current->cubesGrown = shownCubes > 1 ? shownCubes - 1 : 0;
    });
}

std::int64_t Store::bonsaiGainedToday() const {
    const Date today = env_.calendar.startOfDay(env_.clock.now());
    std::int64_t total = 0;
    for (const BonsaiGain& gain : bonsai.get().gains)
        if (gain.date >= today) total = saturatingAdd(total, gain.amount);
    return total;
}

} // namespace vesk
