#pragma once

#include "core/model/Date.hpp"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

namespace vesk {

// Field-by-field hashing of the model's value types. Every helper agrees with the model's
// equality: equal values hash alike.
inline void hashCombine(std::size_t& seed, std::size_t value) {
    seed ^= value + 0x9E3779B97F4A7C15ULL + (seed << 6) + (seed >> 2);
}

template <class T> void hashField(std::size_t& seed, const T& value) {
    hashCombine(seed, std::hash<T>{}(value));
}

inline void hashField(std::size_t& seed, Date date) {
    hashCombine(seed, std::hash<Date::rep>{}(date.time_since_epoch().count()));
}

// 0 and -0 are equal, and so are all NaNs (see sameDouble), so each group hashes alike.
inline void hashField(std::size_t& seed, double value) {
    if (std::isnan(value)) value = NAN;
    if (value == 0) value = 0;
    hashCombine(seed, std::hash<double>{}(value));
}

template <class T> void hashField(std::size_t& seed, const std::optional<T>& value) {
    hashCombine(seed, value.has_value());
    if (value) hashField(seed, *value);
}

template <class... Fields> std::size_t hashFields(const Fields&... fields) {
    std::size_t seed = 0;
    (hashField(seed, fields), ...);
    return seed;
}

// Equality of the model's doubles: as numbers, except that NaN equals NaN. A task read without
// an order holds NaN, and it must still equal itself, or every store update would look new.
inline bool sameDouble(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

} // namespace vesk
