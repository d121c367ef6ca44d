#include "garden/tour/TourContent.hpp"

#include <algorithm>

namespace vesk {

TourCopy tourCopy(TourStep step, bool hotKeyOurs) {
    switch (step) {
    case TourStep::completeTask:
        return {"Complete your first task", "Tick the circle — every finished task grows your bonsai.",
                std::nullopt};
    case TourStep::openBonsai:
        return {"Your tree just grew", "Open the Bonsai tab to see it.", std::nullopt};
    case TourStep::garden:
        return {"All your trees live here",
                "Only the tree on screen grows. A new seedling unlocks at 50 cubes — tap ? any time for the "
                "rules.",
                "Next"};
    case TourStep::focus:
        return {"Focus timer", "Pomodoro and stopwatch — on their own, or running on a task.", "Next"};
    case TourStep::yourTurn:
        return {"Your turn",
                hotKeyOurs ? "Add a real task. Alt+Space opens Vesk from anywhere."
                           : "Add a real task. Running vesk again opens Vesk from anywhere.",
                "Done"};
    case TourStep::welcome:
    case TourStep::seedling:
    case TourStep::growing:
        break;
    }
    return {};
}

std::string hotKeyHint(bool hotKeyOurs) {
    if (hotKeyOurs) return "Alt+Space opens Vesk from anywhere.";
    return "Alt+Space is used by another program. Run vesk again to open Vesk, or bind vesk to a key in your "
           "keyboard settings.";
}

std::optional<int> tourDotIndex(TourStep step) {
    switch (step) {
    case TourStep::completeTask:
    case TourStep::growing:
        return 0;
    case TourStep::openBonsai:
        return 1;
    case TourStep::garden:
        return 2;
    case TourStep::focus:
        return 3;
    case TourStep::yourTurn:
        return 4;
    case TourStep::welcome:
    case TourStep::seedling:
        break;
    }
    return std::nullopt;
}

std::optional<TourRect> spotlightHole(std::optional<TourRect> target) {
    if (!target) return std::nullopt;
    return TourRect{target->x - 6, target->y - 5, target->width + 12, target->height + 10};
}

double bubbleWidth(double overlayWidth) {
    return std::min(overlayWidth - 58, 270.0);
}

TourPoint bubbleOffset(std::optional<TourRect> hole, double overlayWidth, double overlayHeight) {
    const double w = bubbleWidth(overlayWidth);
    if (!hole) return {(overlayWidth - w) / 2, (overlayHeight - bubbleHeight) / 2};
    // Raised then lowered: where the two bounds cross, the upper one wins.
    const double x = std::min(std::max(hole->midX() - w / 2, 29.0), overlayWidth - w - 29);
    double y = hole->midY() < 0.55 * overlayHeight ? hole->maxY() + 12 : hole->y - bubbleHeight - 12;
    y = std::min(std::max(y, 8.0), overlayHeight - bubbleHeight - 22);
    return {x, y};
}

} // namespace vesk
