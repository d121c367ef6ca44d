#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// The developer's launch options, parsed once at start-up and then only read. Parsing never
// fails: unknown words are skipped, and a value that is missing or does not convert leaves
// its field empty (the snapshot delay falls back to 1.5 s).
struct Debug {
    static constexpr double defaultSnapshotDelay = 1.5;

    bool demo = false;
    bool fakeNotch = false;
    std::optional<std::string> expand;
    std::optional<std::string> timer;
    bool toast = false;
    bool hover = false;
    std::optional<std::string> snapshot;
    bool addAfter = false;
    std::optional<std::int64_t> iteration;
    std::optional<std::uint64_t> seed;
    std::optional<std::int64_t> reveal;
    std::optional<float> freeze;
    std::optional<std::int64_t> onboarding;
    double snapshotDelay = defaultSnapshotDelay;
    std::optional<std::string> thenTab;

    Debug() = default;
    // `arguments` are the process's words, the program path first.
    explicit Debug(const std::vector<std::string>& arguments);

    bool operator==(const Debug&) const = default;
};

} // namespace vesk
