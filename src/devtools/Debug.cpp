#include "devtools/Debug.hpp"

#include "devtools/WordValues.hpp"

#include <string_view>

namespace vesk {

namespace {

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
    {"--iter", [](Debug& d, Value v) { d.iteration = convert(v, WordValues::integer); }},
    {"--reveal", [](Debug& d, Value v) { d.reveal = convert(v, WordValues::integer); }},
    {"--onboarding", [](Debug& d, Value v) { d.onboarding = convert(v, WordValues::integer); }},
    {"--seed", [](Debug& d, Value v) { d.seed = convert(v, WordValues::unsignedInteger); }},
    {"--freeze", [](Debug& d, Value v) { d.freeze = convert(v, WordValues::finiteFloat); }},
    {"--delay",
     [](Debug& d, Value v) {
         d.snapshotDelay = convert(v, WordValues::finiteDouble).value_or(Debug::defaultSnapshotDelay);
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
