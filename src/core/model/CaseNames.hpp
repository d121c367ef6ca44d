#pragma once

#include "core/model/AllCases.hpp"
#include "core/model/BonsaiModels.hpp"
#include "core/model/TimerModels.hpp"

#include <optional>
#include <string_view>

namespace vesk {

// The text of each persisted enumeration case: its name, as the document writes it.
constexpr std::string_view caseName(TimerMode mode) {
    return mode == TimerMode::pomodoro ? "pomodoro" : "stopwatch";
}

constexpr std::string_view caseName(PomoPhase phase) {
    return phase == PomoPhase::focus ? "focus" : "rest";
}

constexpr std::string_view caseName(GainReason reason) {
    return reason == GainReason::created ? "created" : "completed";
}

// The case with exactly this name (case-sensitive), or nothing.
template <class Enum> constexpr std::optional<Enum> caseNamed(std::string_view text) {
    for (Enum value : allCases<Enum>)
        if (caseName(value) == text) return value;
    return std::nullopt;
}

} // namespace vesk
