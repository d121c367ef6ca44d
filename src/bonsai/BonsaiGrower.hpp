#pragma once

#include "bonsai/Blueprint.hpp"
#include "bonsai/VoxelDiorama.hpp"
#include "bonsai/VoxelTree.hpp"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace vesk::bonsai {

// The one way the renderers ask for a tree: a cache of the blueprints and dioramas of the three
// most recently used growth stages of one seed. Not thread-safe: each owner calls it from one
// serial queue.
class BonsaiGrower {
  public:
    // The tree grown to the requested count, the cache key it came from (its stage, or −count
    // for the fallback tree) and that key's diorama, shared by every state of the same key.
    struct State {
        std::shared_ptr<const VoxelTree> tree;
        std::int64_t key = 0;
        std::shared_ptr<const VoxelDiorama> diorama;
    };

    static constexpr std::size_t keep = 3;

    // The tree of `seed` with n cubes; counts below 1 count as 1, counts above the generator's
    // limit as that limit. Cut short by `keepGoing`, a state without a tree, and nothing half
    // made is kept.
    State state(std::uint64_t seed, std::int64_t n, const KeepGoing& keepGoing = {});

    std::uint64_t seed() const { return seed_; }
    // Cached keys, least recently used first.
    const std::vector<std::int64_t>& recent() const { return recent_; }
    bool holdsBlueprint(std::int64_t key) const { return blueprints_.contains(key); }
    bool holdsDiorama(std::int64_t key) const { return dioramas_.contains(key); }

  private:
    // Marks a key as most recently used and forgets the oldest keys beyond `keep`.
    void touch(std::int64_t key);
    // The key's cached diorama, or a new one built from the fully grown tree that growFull() makes.
    template <typename GrowFull>
    std::shared_ptr<const VoxelDiorama> dioramaFor(std::int64_t key, GrowFull&& growFull);

    std::uint64_t seed_ = 0;
    std::map<std::int64_t, std::shared_ptr<const Blueprint>> blueprints_;
    std::map<std::int64_t, std::shared_ptr<const VoxelDiorama>> dioramas_;
    std::vector<std::int64_t> recent_;
};

} // namespace vesk::bonsai
