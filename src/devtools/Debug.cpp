#include "devtools/Debug.hpp"

#include "devtools/WordValues.hpp"

#include <algorithm>
#include <iterator>
#include <sstream>
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
    std::string_view help;
};

// What a value word must be for its option, and how a refusal names it.
struct Kind {
    bool (*fits)(std::string_view word);
    std::string_view what;
};

template <auto parse> bool parses(std::string_view word) {
    return parse(word).has_value();
}

constexpr Kind anyWord{[](std::string_view) { return true; }, "a word"};
constexpr Kind wholeNumber{parses<WordValues::integer>, "a whole number"};
constexpr Kind unsignedNumber{parses<WordValues::unsignedInteger>, "a whole number of 0 or more"};
constexpr Kind floatNumber{parses<WordValues::finiteFloat>, "a number"};
constexpr Kind doubleNumber{parses<WordValues::finiteDouble>, "a number"};

struct Valued {
    std::string_view name;
    void (*apply)(Debug&, Value);
    std::string_view value;
    Kind kind;
    std::string_view help;
};

constexpr Flag flags[] = {
    {"--demo", &Debug::demo, "fill an empty data file with demo lists, tasks, focus and a garden"},
    {"--fake-notch", &Debug::fakeNotch, "lay the tarnel out round a notch 185 wide"},
    {"--toast", &Debug::toast, "show the toast \"Focus done · 5 min break\" for 30 s"},
    {"--hover", &Debug::hover, "show the pill as if hovered"},
    {"--add-after", &Debug::addAfter, "add the task \"Added while open\" 0.8 s later"}};

constexpr Valued valuedOptions[] = {
    {"--expand", [](Debug& d, Value v) { d.expand = text(v); }, "TAB", anyWord,
     "open the tarnel on detail, bonsai, garden, focus or stats (else tasks)"},
    {"--timer", [](Debug& d, Value v) { d.timer = text(v); }, "KIND", anyWord,
     "start a back-dated pomodoro, stopwatch or break"},
    {"--snapshot", [](Debug& d, Value v) { d.snapshot = text(v); }, "FILE", anyWord,
     "write a picture of the tarnel to FILE, then quit"},
    {"--then", [](Debug& d, Value v) { d.thenTab = text(v); }, "TAB", anyWord,
     "1.2 s later, select tasks, bonsai, focus or stats"},
    {"--iter", [](Debug& d, Value v) { d.iteration = convert(v, WordValues::integer); }, "N", wholeNumber,
     "show N cubes of the current tree"},
    {"--reveal", [](Debug& d, Value v) { d.reveal = convert(v, WordValues::integer); }, "N", wholeNumber,
     "0.8 s later, grow the current tree by N cubes with the reveal"},
    {"--onboarding", [](Debug& d, Value v) { d.onboarding = convert(v, WordValues::integer); }, "N",
     wholeNumber, "show the tour again, moved on to its page N (1 to 6)"},
    {"--seed", [](Debug& d, Value v) { d.seed = convert(v, WordValues::unsignedInteger); }, "S",
     unsignedNumber, "make the tree of seed S current, planting it when missing"},
    {"--freeze", [](Debug& d, Value v) { d.freeze = convert(v, WordValues::finiteFloat); }, "T", floatNumber,
     "hold the tree's growth animation at T (0 to 1)"},
    {"--delay",
     [](Debug& d, Value v) {
         d.snapshotDelay = convert(v, WordValues::finiteDouble).value_or(Debug::defaultSnapshotDelay);
     },
     "SECONDS", doubleNumber, "take the snapshot this long after the start (1.5)"},
};

// Qt's own word that a session manager restarts a program with; Qt reads it.
constexpr std::string_view sessionWord = "-session";

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

std::optional<std::string> Debug::refusal(const std::vector<std::string>& arguments) {
    const auto known = [](std::string_view word) {
        return std::any_of(std::begin(flags), std::end(flags),
                           [&](const Flag& f) { return f.name == word; }) ||
               word == helpWord;
    };
    for (std::size_t index = 1; index < arguments.size(); ++index) {
        const std::string_view word = arguments[index];
        if (word == sessionWord) {
            ++index; // Qt's, whatever its value is
            continue;
        }
        const auto* option = std::find_if(std::begin(valuedOptions), std::end(valuedOptions),
                                          [&](const Valued& o) { return o.name == word; });
        if (option == std::end(valuedOptions)) {
            if (!known(word)) return "unknown option \"" + std::string(word) + '"';
            continue;
        }
        const std::string wants = "option \"" + std::string(word) + "\" wants " + std::string(option->value) +
                                  ", " + std::string(option->kind.what);
        if (++index == arguments.size()) return wants;
        if (!option->kind.fits(arguments[index])) return wants + ", not \"" + arguments[index] + '"';
    }
    return std::nullopt;
}

std::string Debug::usage() {
    std::ostringstream text;
    text << "Usage: vesk [OPTION]...\n"
            "Runs Vesk on its data file ($TARNEL_DATA, or ~/.local/share/Vesk/data.json); while it runs,\n"
            "vesk again opens or closes its tarnel.\n\n"
            "Developer options, for pictures and recordings:\n";
    const auto line = [&text](std::string_view option, std::string_view help) {
        text << "  " << option << std::string(option.size() < 20 ? 20 - option.size() : 1, ' ') << help
             << '\n';
    };
    for (const Flag& flag : flags)
        line(flag.name, flag.help);
    for (const Valued& option : valuedOptions)
        line(std::string(option.name) + " " + std::string(option.value), option.help);
    text << "\nModes that need no display:\n"
            "  --render-frames DIR [--seed S] [--frames N] [--from N] [--to N] [--size W [H]]\n"
            "      [--yaw0 R] [--yaw1 R] [--pitch R] [--dist D] [--curve exp|linear]\n"
            "                      render a growing tree into numbered PNG frames in DIR\n"
            "  --stress-engine [SECONDS] [MAXN] [INTERVAL]\n"
            "                      hammer the renderer offscreen, reporting every 2 s\n\n";
    line(helpWord, "print this list");
    return text.str();
}

} // namespace vesk
