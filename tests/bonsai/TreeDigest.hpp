#pragma once

#include "bonsai/VoxelGrower.hpp"

#include <bit>
#include <cstdint>

namespace vesk::bonsai::testing {

// FNV-1a over everything a tree hands to the mesher: cells, kinds and colour bits, in order.
class Digest {
  public:
    void add(std::uint64_t word) {
        for (int i = 0; i < 8; ++i) {
            hash_ ^= (word >> (8 * i)) & 0xFF;
            hash_ *= 0x100000001B3ULL;
        }
    }
    void add(const VoxelTree& tree) {
        add(std::uint64_t(tree.iterations));
        add(tree.cubes.size());
        for (const Cube& c : tree.cubes) {
            add((std::uint64_t(std::uint32_t(c.x)) << 32) | std::uint32_t(c.y));
            add((std::uint64_t(std::uint32_t(c.z)) << 8) | std::uint64_t(c.kind));
            add((std::uint64_t(std::bit_cast<std::uint32_t>(c.color.x)) << 32) |
                std::bit_cast<std::uint32_t>(c.color.y));
            add(std::bit_cast<std::uint32_t>(c.color.z));
        }
        add(std::bit_cast<std::uint32_t>(tree.height));
        add(std::uint64_t(std::bit_cast<std::uint32_t>(tree.pot.a)) << 32 |
            std::bit_cast<std::uint32_t>(tree.pot.n));
    }
    std::uint64_t value() const { return hash_; }

  private:
    std::uint64_t hash_ = 0xCBF29CE484222325ULL;
};

// The trees of a fixed set of seeds and counts up to 20,000 cubes, every species among them.
inline std::uint64_t referenceDigest() {
    namespace VG = VoxelGrower;
    const std::uint64_t seeds[] = {0, 1, 42, 777, 0xDEADBEEFCAFEF00DULL, 0x8000000000000000ULL};
    Digest d;
    for (std::size_t i = 0; i < std::size(seeds); ++i) {
        const std::uint64_t seed = seeds[i];
        for (std::int64_t count : {1, 25, 150, 1000, 5000, 20000}) {
            if (count == 20000 && i >= 3) continue;
            d.add(VG::blueprint(seed, VG::stage(count)).tree(count));
        }
        if (i < 3)
            for (std::int64_t count : {3, 40, 500})
                d.add(VG::classic(seed, count));
    }
    for (std::int64_t species = 0; species < 7; ++species)
        d.add(VG::blueprint(1, 9, species).tree(600));
    return d.value();
}

} // namespace vesk::bonsai::testing
