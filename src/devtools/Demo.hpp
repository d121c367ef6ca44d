#pragma once

namespace vesk {

class Calendar;
class Clock;
class RandomSource;
class Store;

// A believable working state for screenshots and recordings ("--demo"): three lists with
// twelve tasks, half a year of focus sessions and a garden of three grown trees.
namespace Demo {

// Fills a store that holds no task and no focus session and writes it to disk at once; a
// store with either is left exactly as it is, so seeding twice changes nothing. The clock,
// random source and calendar are the ones the store runs on. Runs before the UI exists.
void seed(Store& store, const Clock& clock, RandomSource& random, const Calendar& calendar);

} // namespace Demo
} // namespace vesk
