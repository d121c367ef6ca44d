#pragma once

#include <optional>
#include <string_view>

namespace vesk {

// The guided tour's steps, in the order the tour walks them.
enum class TourStep { welcome, seedling, completeTask, growing, openBonsai, garden, focus, yourTurn };

// What a tour step can spotlight; views mark themselves with `tourAnchor`.
enum class TourTarget { welcomeCheck, bonsaiTab, gardenButton, focusTab, addField };

// The step's case name, as the tour log writes it.
constexpr std::string_view name(TourStep step) {
    switch (step) {
    case TourStep::welcome:
        return "welcome";
    case TourStep::seedling:
        return "seedling";
    case TourStep::completeTask:
        return "completeTask";
    case TourStep::growing:
        return "growing";
    case TourStep::openBonsai:
        return "openBonsai";
    case TourStep::garden:
        return "garden";
    case TourStep::focus:
        return "focus";
    case TourStep::yourTurn:
        return "yourTurn";
    }
    return {};
}

// The target a step spotlights; none for the steps without an overlay.
constexpr std::optional<TourTarget> spotlightTarget(TourStep step) {
    switch (step) {
    case TourStep::completeTask:
        return TourTarget::welcomeCheck;
    case TourStep::openBonsai:
        return TourTarget::bonsaiTab;
    case TourStep::garden:
        return TourTarget::gardenButton;
    case TourStep::focus:
        return TourTarget::focusTab;
    case TourStep::yourTurn:
        return TourTarget::addField;
    case TourStep::welcome:
    case TourStep::seedling:
    case TourStep::growing:
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace vesk
