#pragma once

#include "bonsai/Blueprint.hpp"
#include "bonsai/Design.hpp"
#include "bonsai/PotSpec.hpp"
#include "bonsai/RNG.hpp"
#include "bonsai/Species.hpp"
#include "bonsai/VoxelTree.hpp"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

// The tree generator's entry points: pure functions of a seed and a cube count.
namespace vesk::bonsai::VoxelGrower {

// The largest tree the generator grows. Counts come from outside (an edited document, developer
// options, the stress test) and anything above this is grown as this many cubes, so that no
// request can exhaust memory or time: `stage`, `blueprint`, `classic` and `Blueprint::tree` all
// clamp to it, and a caller choosing among stages clamps its count to it first.
inline constexpr std::int64_t maxCubes = 1'000'000;

// Salts of the generator's random streams.
namespace salt {
inline constexpr std::int64_t pot = 33121;
inline constexpr std::int64_t design = 53057;
inline constexpr std::int64_t classic = 782837;
inline constexpr std::int64_t dioramaScene = 11572881; // sun, pot, soil, moss and stones
inline constexpr std::int64_t dioramaStand = 355133;
inline constexpr std::uint64_t cubeColorSeed = 0xC0105; // XORed into the tree seed
inline constexpr std::int64_t cubeColorKey = 3856;      // subtracted from the cell key
} // namespace salt

// A fixed 64-bit mix of a seed and a salt (the salt by its bit pattern), so that independent
// parts of a tree draw from independent streams.
std::uint64_t subSeed(std::uint64_t seed, std::int64_t salt);

// round(24 · 1.5^s) in double precision: the cube count a stage grows to.
std::int64_t stageSize(int stage);
// The least stage whose size reaches n; any n ≤ 24 is stage 0. Counts above maxCubes count as
// maxCubes, so the result is at most maxStage.
int stage(std::int64_t n);
// The stage of maxCubes; no blueprint is made beyond it.
int maxStage();

// A seed's species and style, from RNG(seed). A forced species index is reduced modulo the
// number of species (Euclidean, so negative indices wrap too); a forced style may be any style.
std::pair<Species, Style> speciesAndStyle(std::uint64_t seed,
                                          std::optional<std::int64_t> forcedSpecies = std::nullopt,
                                          std::optional<Style> forcedStyle = std::nullopt);

// The pot of a tree of the given design scale.
PotSpec potSpec(std::uint64_t seed, const Species& species, Style style, float scale);

// The trunk's control points of a style, drawn from the designer's generator.
std::vector<Vec3> trunkControls(Style style, float scale, RNG& rng);

// One complete tree in voxels: wood with birth times, scored leaf candidates and their pads.
Design design(std::uint64_t seed, const Species& species, Style style, float scale);

// The colour of one cube, drawn from the cube's own generator.
Vec3 colorize(CubeKind kind, std::int32_t x, std::int32_t y, std::int32_t z, const Pad* pad,
              const Species& species, std::uint32_t seedU, RNG& rng);

// The complete tree of one stage in reveal order. Stages above maxStage() are made as maxStage().
// One cut short by `keepGoing` is no stage's and is to be thrown away.
Blueprint blueprint(std::uint64_t seed, int stage, std::optional<std::int64_t> forcedSpecies = std::nullopt,
                    std::optional<Style> forcedStyle = std::nullopt, const KeepGoing& keepGoing = {});

// The fallback tree of exactly max(iterations, 1) cubes (capped at maxCubes), or fewer when even
// filling runs out of room.
VoxelTree classic(std::uint64_t seed, std::int64_t iterations,
                  std::optional<std::int64_t> forcedSpecies = std::nullopt,
                  std::optional<Style> forcedStyle = std::nullopt);

} // namespace vesk::bonsai::VoxelGrower
