#pragma once

#include "core/model/AllCases.hpp"
#include "core/model/Date.hpp"
#include "core/model/UnknownMembers.hpp"
#include "core/model/Uuid.hpp"
#include "core/model/ValueHash.hpp"

#include <array>
#include <optional>
#include <string>
#include <tuple>

namespace vesk {

enum class TimerMode { pomodoro, stopwatch };

// In the order of the focus tab's mode picker.
template <>
inline constexpr std::array<TimerMode, 2> allCases<TimerMode>{TimerMode::pomodoro, TimerMode::stopwatch};

enum class PomoPhase { focus, rest };

template <> inline constexpr std::array<PomoPhase, 2> allCases<PomoPhase>{PomoPhase::focus, PomoPhase::rest};

// What the store reports when a pomodoro phase ends. Never persisted.
enum class TimerEvent { focusDone, breakDone };

// One logged timer run.
struct FocusSession {
    UUID id{};
    std::optional<UUID> taskID{};
    // The task's title when the run was logged, so that a deleted task keeps a name.
    std::optional<std::string> taskTitle{};
    TimerMode mode = TimerMode::pomodoro;
    Date start{};
    double duration = 0;       // seconds of focus logged
    bool fullPomodoro = false; // a pomodoro focus phase that ran its full length
    UnknownMembers unknown{};

    friend bool operator==(const FocusSession& a, const FocusSession& b) {
        return std::tie(a.id, a.taskID, a.taskTitle, a.mode, a.start) ==
                   std::tie(b.id, b.taskID, b.taskTitle, b.mode, b.start) &&
               sameDouble(a.duration, b.duration) && a.fullPomodoro == b.fullPomodoro &&
               a.unknown == b.unknown;
    }
};

// The persisted timer; a new one is an idle pomodoro in its focus phase.
struct TimerState {
    TimerMode mode = TimerMode::pomodoro;
    PomoPhase phase = PomoPhase::focus;
    std::optional<UUID> taskID{};
    double accumulated = 0;             // seconds of earlier running segments of this run
    std::optional<Date> runningSince{}; // start of the running segment; nil while paused or idle
    std::optional<Date> segmentStart{}; // when the current run first started
    UnknownMembers unknown{};

    friend bool operator==(const TimerState& a, const TimerState& b) {
        return std::tie(a.mode, a.phase, a.taskID, a.runningSince, a.segmentStart) ==
                   std::tie(b.mode, b.phase, b.taskID, b.runningSince, b.segmentStart) &&
               sameDouble(a.accumulated, b.accumulated) && a.unknown == b.unknown;
    }
};

} // namespace vesk

template <> struct std::hash<vesk::FocusSession> {
    std::size_t operator()(const vesk::FocusSession& session) const {
        return vesk::hashFields(session.id, session.taskID, session.taskTitle, session.mode, session.start,
                                session.duration, session.fullPomodoro);
    }
};
