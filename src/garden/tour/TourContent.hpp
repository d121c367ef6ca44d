#pragma once

#include "shell/state/Tour.hpp"

#include <optional>
#include <string>

namespace vesk {

// What the tour overlay shows and where, decided from the step and the target's frame.

struct TourCopy {
    std::string title;
    std::string body;
    std::optional<std::string> button;

    friend bool operator==(const TourCopy&, const TourCopy&) = default;
};
// The last step promises the hot key only while it is ours.
TourCopy tourCopy(TourStep step, bool hotKeyOurs = true);
// The welcome page's hint about the hot key: the promise only while the key is ours.
std::string hotKeyHint(bool hotKeyOurs);
// The lit one of the five progress dots; none before the task step.
std::optional<int> tourDotIndex(TourStep step);

// A rectangle in the overlay's own points.
struct TourRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    double maxY() const { return y + height; }
    double midX() const { return x + width / 2; }
    double midY() const { return y + height / 2; }
    friend bool operator==(const TourRect&, const TourRect&) = default;
};

// The clear hole: the target's frame, 6 wider on each side and 5 taller at top and bottom.
std::optional<TourRect> spotlightHole(std::optional<TourRect> target);

// The bubble's width in an overlay `width` wide, and its top-left corner beside the hole
// (centred without one); its height is taken as 132 whatever it holds.
constexpr double bubbleHeight = 132;
double bubbleWidth(double overlayWidth);
struct TourPoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const TourPoint&, const TourPoint&) = default;
};
TourPoint bubbleOffset(std::optional<TourRect> hole, double overlayWidth, double overlayHeight);

} // namespace vesk
