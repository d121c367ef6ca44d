#pragma once

#include <cstdint>

namespace vesk {

class Clock;
class RandomSource;
class Store;

// Developer options that change the store at start-up, before the UI exists; what they
// change is saved like any other change, shortly after.
namespace LaunchSteps {

// Makes the tree with `seed` the current one, planting it with no cubes when the garden
// lacks it. Seed 0 means "no current tree" everywhere else, so it is ignored.
void forceSeed(Store& store, std::uint64_t seed, const Clock& clock, RandomSource& random);

} // namespace LaunchSteps
} // namespace vesk
