#pragma once

#include "core/model/Date.hpp"
#include "core/runtime/Calendar.hpp"
#include "core/runtime/Clock.hpp"
#include "core/runtime/MainQueue.hpp"
#include "core/runtime/RandomSource.hpp"

namespace vesk {

// The platform services a view is handed by whoever builds it, the same ones the store runs
// on: the clock and the user's calendar to reckon days from (not the store's `now`, which
// moves only with the timer's ticker), the main queue and a random source to play something
// out over time.
struct ViewServices {
    const Clock& clock;
    const Calendar& calendar;
    MainQueue& queue;
    RandomSource& random;

    Date today() const { return calendar.startOfDay(clock.now()); }
};

} // namespace vesk
