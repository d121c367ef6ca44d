#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Numbers typed on the command line by a developer. A word converts only as a whole: a
// leading "+" or "-", then the number and nothing else; anything else, or a value that
// does not fit, gives nothing, so that the caller's default applies.
namespace vesk::WordValues {

std::optional<std::int64_t> integer(std::string_view word);
// Digits only (an optional "+"): "-1" does not wrap around to a huge seed.
std::optional<std::uint64_t> unsignedInteger(std::string_view word);
// "C" locale notation. Infinities and NaN do not count: no caller can use them.
std::optional<double> finiteDouble(std::string_view word);
std::optional<float> finiteFloat(std::string_view word);

// The word after the first one equal to `name`, searching from the program path on;
// nothing when `name` is missing or the last word.
std::optional<std::string_view> after(const std::vector<std::string>& words, std::string_view name,
                                      std::size_t distance = 1);

} // namespace vesk::WordValues
