#include "devtools/SessionHistory.hpp"

#include "core/runtime/Calendar.hpp"
#include "core/runtime/RandomSource.hpp"

namespace vesk {

Date atWallClock(const Calendar& calendar, Date dayStart, int secondsIntoDay) {
    const Date guess = addingSeconds(dayStart, secondsIntoDay);
    const CivilTime shown = calendar.civil(guess);
    const int drift = shown.hour * 3600 + shown.minute * 60 + shown.second - secondsIntoDay;
    return addingSeconds(guess, -drift);
}

std::vector<FocusSession> pomodoroHistory(RandomSource& random, const Calendar& calendar, Date today,
                                          int days, UUID firstTask, std::optional<UUID> laterTask) {
    std::vector<FocusSession> sessions;
    for (int daysAgo = 1; daysAgo <= days; ++daysAgo) {
        if (random.uniform(0, 9) >= 7) continue;
        const std::uint64_t count = random.uniform(0, 4) + 1;
        const Date dayStart = calendar.addingDays(today, -daysAgo).value_or(today);
        for (std::uint64_t j = 0; j < count; ++j) {
            const Date start = atWallClock(calendar, dayStart, 9 * 3600 + 3600 * static_cast<int>(j));
            sessions.push_back({UUID::random(random),
                                j == 0 ? std::optional(firstTask) : laterTask,
                                {},
                                TimerMode::pomodoro,
                                start,
                                pomodoroSeconds,
                                true});
        }
    }
    return sessions;
}

} // namespace vesk
