#pragma once

#include "core/model/Date.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// The document's date form, "YYYY-MM-DDTHH:MM:SSZ": UTC, whole seconds.
//
// A Date holds nanoseconds in 64 bits, so it spans only 1677-09-21T00:12:44Z to
// 2262-04-11T23:47:16Z. Reading accepts every valid date of the years 0000 to 9999 and clamps
// one outside that span to its nearer end, so that an odd hand-written date does not cost the
// whole document; writing clamps the same way and so writes only dates that read back.
struct IsoDate {
    // The first and last whole seconds a Date can hold.
    static constexpr Date earliest{std::chrono::duration_cast<Date::duration>(
        std::chrono::duration_cast<std::chrono::seconds>(Date::min().time_since_epoch()))};
    static constexpr Date latest{std::chrono::duration_cast<Date::duration>(
        std::chrono::duration_cast<std::chrono::seconds>(Date::max().time_since_epoch()))};

    // Nothing for any other form: a fraction of a second, an offset other than Z, a field out
    // of range (month 13, February 30, second 60) or a stray character.
    static std::optional<Date> parse(std::string_view text);

    // The fraction of a second is dropped (rounded down).
    static std::string format(Date date);
};

} // namespace vesk
