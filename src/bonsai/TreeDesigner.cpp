#include "bonsai/DesignBuilder.hpp"
#include "bonsai/VoxelGrower.hpp"

namespace vesk::bonsai::VoxelGrower {

Design design(std::uint64_t seed, const Species& species, Style style, float scale) {
    return DesignBuilder(seed, species, style, scale).build();
}

} // namespace vesk::bonsai::VoxelGrower
