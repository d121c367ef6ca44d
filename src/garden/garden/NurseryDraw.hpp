#pragma once

#include "core/model/BonsaiModels.hpp"
#include "core/runtime/RandomSource.hpp"

#include <cstdint>
#include <vector>

namespace vesk {

// The seedlings the nursery offers: random seeds of trees not yet in the garden.

// Up to three fresh seeds in 1 … 2^40, of three different species whenever 150 tries allow
// it, never the seed of a garden tree; fewer only when 200 tries run out.
std::vector<std::uint64_t> nurserySeedlings(const BonsaiProgress& progress, RandomSource& random);

// The nursery with the seeds planted since dropped (the rest keep their order); drawn afresh
// when two or fewer remain.
std::vector<std::uint64_t> refilledNursery(std::vector<std::uint64_t> nursery, const BonsaiProgress& progress,
                                           RandomSource& random);

} // namespace vesk
