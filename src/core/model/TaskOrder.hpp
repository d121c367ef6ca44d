#pragma once

#include "core/model/TaskModels.hpp"

#include <cmath>
#include <optional>
#include <vector>

namespace vesk {

// A task read without an order holds NaN; a hand-edited file may also give one beyond the
// range of numbers. Neither is a place.
inline bool hasOrder(double order) {
    return std::isfinite(order);
}

// The one comparison of task orders. A task read without an order holds NaN, which < cannot
// sort (std::sort's behaviour is then undefined). Such tasks come first, which is where the
// outside-edit merge places them when it gives them an order; among themselves they are equal,
// so a stable sort keeps their array order.
inline bool orderPrecedes(double a, double b) {
    if (std::isnan(a)) return !std::isnan(b);
    if (std::isnan(b)) return false;
    return a < b;
}

// An order that sorts strictly before `smallest`: one less, or the next number below where
// one less rounds back to it (far from zero a step of 1 is lost); none below the lowest.
std::optional<double> orderAbove(double smallest);

// Gives each task without an order (or with one that is not finite) the top of its group,
// the tasks of its list with the same parent: above the smallest order of the group, several
// stacking upwards in array order, the later one above the earlier.
void repairMissingOrders(std::vector<TaskItem>& tasks);

} // namespace vesk
