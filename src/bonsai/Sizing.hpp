#pragma once

#include "bonsai/Blueprint.hpp"
#include "bonsai/Design.hpp"
#include "bonsai/Species.hpp"

#include <cstdint>
#include <vector>

// Steps shared by the blueprint and the fallback generator.
namespace vesk::bonsai {

struct SizedDesign {
    Design design;
    float scale = 0.0f;
};

// Designs with a changing scale until wood plus natural crown is about `target` cubes: at most
// ten designs, the last one kept. `smallTarget` accepts only a difference of at most 1. Told to
// stop, it makes no more designs (none at all when told before the first).
SizedDesign designToSize(std::uint64_t seed, const Species& species, Style style, std::int64_t target,
                         bool smallTarget, const KeepGoing& keepGoing = {});

// A leaf candidate of a design with its cell.
struct Candidate {
    CellKey key;
    float score;
    float birth;
    std::int16_t pad;
};

// The design's leaf candidates, best score first, ties by key; a candidate's index is its rank.
std::vector<Candidate> candidatesInOrder(const Design& design);

// The design's wood as reveal cubes, by birth, ties by key.
std::vector<RevealCube> woodInOrder(const Design& design);

// Sorts the entries by birth (ties by key) and colours each from its own stream.
std::vector<Cube> cutCubes(std::vector<RevealCube> entries, std::uint64_t seed, const Species& species,
                           const std::vector<Pad>& pads);

} // namespace vesk::bonsai
