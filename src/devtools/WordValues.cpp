#include "devtools/WordValues.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vesk::WordValues {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// from_chars takes no "+", and would read a number off the front of "12abc".
template <typename Number> std::optional<Number> whole(std::string_view word) {
    if (!word.empty() && word.front() == '+') {
        word.remove_prefix(1);
        if (word.empty() || word.front() == '-' || word.front() == '+') return std::nullopt;
    }
    if (word.empty()) return std::nullopt;
    Number value{};
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

template <typename Real> std::optional<Real> finite(std::string_view word) {
    const auto value = whole<Real>(word);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return value;
}

} // namespace

std::optional<std::int64_t> integer(std::string_view word) {
    return whole<std::int64_t>(word);
}

std::optional<std::uint64_t> unsignedInteger(std::string_view word) {
    const std::string_view digits = !word.empty() && word.front() == '+' ? word.substr(1) : word;
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), isDigit)) return std::nullopt;
    return whole<std::uint64_t>(word);
}

std::optional<double> finiteDouble(std::string_view word) {
    return finite<double>(word);
}

std::optional<float> finiteFloat(std::string_view word) {
    return finite<float>(word);
}

std::optional<std::string_view> after(const std::vector<std::string>& words, std::string_view name,
                                      std::size_t distance) {
    const auto found = std::find(words.begin(), words.end(), name);
    if (found == words.end()) return std::nullopt;
    const auto index = std::size_t(found - words.begin()) + distance;
    if (index >= words.size()) return std::nullopt;
    return std::string_view(words[index]);
}

} // namespace vesk::WordValues
