#pragma once

#include "core/model/AllCases.hpp"
#include "core/model/Date.hpp"
#include "core/model/UnknownMembers.hpp"
#include "core/model/Uuid.hpp"

#include <cstdint>
#include <optional>
#include <vector>

namespace vesk {

enum class GainReason { created, completed };

template <>
inline constexpr std::array<GainReason, 2> allCases<GainReason>{GainReason::created, GainReason::completed};

// One grant of cubes.
struct BonsaiGain {
    Date date{};
    std::int64_t amount = 0;
    GainReason reason = GainReason::created;
    UnknownMembers unknown{};

    friend bool operator==(const BonsaiGain&, const BonsaiGain&) = default;
};

// A planted tree; it shows cubesGrown + 1 cubes, since it starts from one.
struct GardenTree {
    UUID id{};
    std::uint64_t seed = 0;
    Date plantedAt{};
    std::int64_t cubesGrown = 0;
    UnknownMembers unknown{};

    friend bool operator==(const GardenTree&, const GardenTree&) = default;
};

// The growth ledger and the garden.
struct BonsaiProgress {
    std::uint64_t seed = 0;            // the current tree's seed; 0 while none is planted
    std::vector<BonsaiGain> gains{};   // every grant ever made, oldest first
    std::vector<GardenTree> garden{};  // in planting order
    std::int64_t seedlingsPlanted = 0; // after the first tree, which is free
    std::int64_t pending = 0;          // cubes earned while no tree was planted
    // The cube count of the one tree of an older document layout ("iteration"); start-up
    // adopts it once and clears it.
    std::optional<std::int64_t> legacyIteration{};
    UnknownMembers unknown{};

    // Every cube ever earned, on any tree: the sum of the gains' amounts.
    std::int64_t totalGained() const;
    // The largest k with totalGained() >= 25·k·(k+1); computed on every call.
    std::int64_t seedlingsUnlocked() const;
    // Unlocked seedlings not yet planted; zero or less when none is left.
    std::int64_t seedlingsAvailable() const;

    friend bool operator==(const BonsaiProgress&, const BonsaiProgress&) = default;
};

// The garden tree with `seed`; none for seed 0, which means "no tree".
const GardenTree* treeWithSeed(const BonsaiProgress& progress, std::uint64_t seed);
GardenTree* treeWithSeed(BonsaiProgress& progress, std::uint64_t seed);
// The cube count a tree shows: its grown cubes and the one it starts from.
std::int64_t shownCubes(const GardenTree& tree);

// The number of seedlings a ledger total unlocks: the largest k >= 0 with total >= 25·k·(k+1).
std::int64_t seedlingsUnlockedBy(std::int64_t total);

} // namespace vesk
