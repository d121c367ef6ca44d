#include "devtools/Debug.hpp"

#include <charconv>
#include <cmath>
#include <string_view>

namespace vesk {

namespace {

bool startsWithDigit(std::string_view word) {
    return !word.empty() && word.front() >= '0' && word.front() <= '9';
}

// from_chars over the whole word: trailing junk, a second sign or an out-of-range value
// does not convert. from_chars takes no "+", so an explicit plus is stripped by hand.
template <typename Number> std::optional<Number> wholeNumber(std::string_view word) {
    if (!word.empty() && word.front() == '+') {
        word.remove_prefix(1);
        if (!startsWithDigit(word)) return std::nullopt;
    }
    Number value{};
    const auto* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, value);
    if (error != std::errc() || stop != end || word.empty()) return std::nullopt;
    return value;
}

std::optional<std::int64_t> signedValue(std::string_view word) {
    return wholeNumber<std::int64_t>(word);
}

std::optional<std::uint64_t> seedValue(std::string_view word) {
    const std::string_view digits = !word.empty() && word.front() == '+' ? word.substr(1) : word;
    if (!startsWithDigit(digits)) return std::nullopt;
    return wholeNumber<std::uint64_t>(word);
}

// "inf" and "nan" read as numbers but would stall the snapshot timer or poison the
// growth shader, so only finite values count.
template <typename Real> std::optional<Real> finiteValue(std::string_view word) {
    const auto value = wholeNumber<Real>(word);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return value;
}

using Value = std::optional<std::string_view>;

std::optional<std::string> text(Value value) {
    return value ? std::optional<std::string>(*value) : std::nullopt;
}

template <typename Number>
std::optional<Number> convert(Value value, std::optional<Number> (*parse)(std::string_view)) {
    return value ? parse(*value) : std::nullopt;
}

struct Flag {
    std::string_view name;
    bool Debug::*field;
};

struct Valued {
    std::string_view name;
    void (*apply)(Debug&, Value);
};

constexpr Flag flags[] = {{"--demo", &Debug::demo},
                          {"--fake-notch", &Debug::fakeNotch},
                          {"--toast", &Debug::toast},
                          {"--hover", &Debug::hover},
                          {"--add-after", &Debug::addAfter}};

constexpr Valued valuedOptions[] = {
    {"--expand", [](Debug& d, Value v) { d.expand = text(v); }},
    {"--timer", [](Debug& d, Value v) { d.timer = text(v); }},
    {"--snapshot", [](Debug& d, Value v) { d.snapshot = text(v); }},
    {"--then", [](Debug& d, Value v) { d.thenTab = text(v); }},
    {"--iter", [](Debug& d, Value v) { d.iteration = convert(v, signedValue); }},
    {"--reveal", [](Debug& d, Value v) { d.reveal = convert(v, signedValue); }},
    {"--onboarding", [](Debug& d, Value v) { d.onboarding = convert(v, signedValue); }},
    {"--seed", [](Debug& d, Value v) { d.seed = convert(v, seedValue); }},
    {"--freeze", [](Debug& d, Value v) { d.freeze = convert(v, finiteValue<float>); }},
    {"--delay",
     [](Debug& d, Value v) {
         d.snapshotDelay = convert(v, finiteValue<double>).value_or(Debug::defaultSnapshotDelay);
     }},
};

} // namespace

Debug::Debug(const std::vector<std::string>& arguments) {
    std::size_t index = 1;
    while (index < arguments.size()) {
        const std::string_view word = arguments[index];
        ++index;
        for (const Flag& flag : flags)
            if (word == flag.name) this->*flag.field = true;
        for (const Valued& option : valuedOptions) {
            if (word != option.name) continue;
            // The value word is swallowed even when it looks like an option; as the last
            // word, the option has no value and empties its field.
            const Value value = index < arguments.size() ? Value(arguments[index]) : std::nullopt;
            option.apply(*this, value);
            ++index;
        }
    }
}

} // namespace vesk
