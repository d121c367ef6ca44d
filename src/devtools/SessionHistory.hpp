#pragma once

#include "core/model/Date.hpp"
#include "core/model/TimerModels.hpp"
#include "core/model/Uuid.hpp"

#include <optional>
#include <vector>

namespace vesk {

class Calendar;
class RandomSource;

// Made-up focus history for demos and recordings: for each of the `days` days before
// `today` (oldest last), about seven in ten get one to five full pomodoros on the hour from
// 09:00 by the wall clock; the first of a day is on `firstTask`, the rest on `laterTask`.
std::vector<FocusSession> pomodoroHistory(RandomSource& random, const Calendar& calendar, Date today,
                                          int days, UUID firstTask, std::optional<UUID> laterTask);

// The instant the wall clock of the day beginning at `dayStart` reads `secondsIntoDay`: on the
// night of a daylight-saving change plain addition would land an hour early or late.
Date atWallClock(const Calendar& calendar, Date dayStart, int secondsIntoDay);

constexpr double pomodoroSeconds = 1500;

} // namespace vesk
