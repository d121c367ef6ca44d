#pragma once

#include <cmath>

namespace vesk {

// The one comparison of task orders. A task read without an order holds NaN, which < cannot
// sort (std::sort's behaviour is then undefined). Such tasks come first, which is where the
// outside-edit merge places them when it gives them an order; among themselves they are equal,
// so a stable sort keeps their array order.
inline bool orderPrecedes(double a, double b) {
    if (std::isnan(a)) return !std::isnan(b);
    if (std::isnan(b)) return false;
    return a < b;
}

} // namespace vesk
