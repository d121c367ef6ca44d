#pragma once

#include "core/store/DataLocation.hpp"

#include <cstdint>

namespace vesk {

class Calendar;
class Clock;
class RandomSource;
class Store;

// The fixed content of screen recordings (`VESK_VIDEO`): nine tasks with a subtask group and
// two done, a tree of the chosen seed and size with two older ones, five months of focus
// history and an idle timer.
namespace VideoTools {

constexpr std::uint64_t defaultVideoTree = 12345;
constexpr std::int64_t defaultVideoIteration = 1400;

// VESK_VIDEO_TREE and VESK_VIDEO_ITER as start-up reads them; a cube count below 1 is 1.
std::uint64_t videoTree(const EnvironmentLookup& environment);
std::int64_t videoIteration(const EnvironmentLookup& environment);

// Replaces the tasks, the growth ledger and garden, the sessions, four preferences and the
// timer; the lists stay. Saved like any change of the store. The store must hold a list.
void seed(Store& store, std::uint64_t tree, std::int64_t iteration, const Clock& clock, RandomSource& random,
          const Calendar& calendar);

} // namespace VideoTools
} // namespace vesk
