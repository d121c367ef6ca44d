#pragma once

#include <cstdint>

namespace vesk {

class Clock;
class RandomSource;
class Store;

// Developer options that change the store at start-up, before the UI exists. Nothing here
// saves.
namespace LaunchSteps {

// Makes the tree with `seed` the current one, planting it with no cubes when the garden
// lacks it. Seed 0 means "no current tree" everywhere else, so it is ignored.
void forceSeed(Store& store, std::uint64_t seed, Clock& clock, RandomSource& random);

} // namespace LaunchSteps
} // namespace vesk
