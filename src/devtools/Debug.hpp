#pragma once

#include "core/model/BonsaiModels.hpp"
#include "core/store/DataLocation.hpp"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

class MainQueue;
class Store;
class TarnelUI;

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

    static constexpr std::string_view helpWord = "--help";
    // Why the words cannot be run, said of the first one at fault: a word that is neither an
    // option nor an option's value, or an option whose value is missing or not of its kind. A
    // mistyped option must not start the real program on the user's data.
    static std::optional<std::string> refusal(const std::vector<std::string>& arguments);
    // The options, a few words each, for "--help" and for a word the program does not know.
    static std::string usage();

    using GrowthReaction = std::function<void(std::int64_t from, std::int64_t to, GainReason reason)>;

    // What the launch scenario drives besides the store and the UI state.
    struct Stage {
        MainQueue& queue;
        // Read when a step needs it: VESK_TOUR_AUTOPLAY at once, VESK_KEEP at the snapshot.
        EnvironmentLookup environment;
        // False when the picture could not be written.
        std::function<bool(const std::filesystem::path&)> snapshot;
        // Whether a view on screen still waits for its first picture: the snapshot waits too.
        std::function<bool()> picturesPending;
        std::function<void(float progress)> freezeAnimation;
        GrowthReaction bonsaiGrew;
        std::function<void(int status)> quit;
        std::ostream& errors;
    };

    // Plays the scenario the options ask for: the immediate steps before returning, the
    // later ones left on the stage's queue. Without options it does nothing.
    void run(Store& store, TarnelUI& ui, const Stage& stage) const;
};

} // namespace vesk
