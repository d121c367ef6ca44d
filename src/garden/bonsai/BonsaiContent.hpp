#pragma once

#include "core/model/BonsaiModels.hpp"
#include "render/engine/BonsaiInfo.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace vesk {

struct Reveal;

// What the bonsai tab, the growth rules and the reveal panel show, from the ledger, the UI
// state and the engine's info: plain values, so that the views only draw them.
namespace BonsaiContent {

enum class Screen { firstSeedling, tree, garden };

// A seed that names no garden tree counts as no tree: the first seedling wins over the garden.
Screen screen(const BonsaiProgress& bonsai, bool gardenOpen);

// The current tree's cube count on screen: its grown cubes and the one it starts from; 0
// without a current tree.
std::int64_t shownCount(const BonsaiProgress& bonsai);

// The caption over the tree: a single space holds a line's height while the engine has not
// named the tree yet.
struct Caption {
    std::string japanese;
    std::string subtitle; // "JAPANESE MAPLE · MOYOGI · INFORMAL UPRIGHT"
    std::string cubes;    // "1,204 cubes"
    bool operator==(const Caption&) const = default;
};
Caption caption(const std::optional<BonsaiInfo>& info, std::int64_t shownCount);

// The garden button's trailing mark: a dot while a seedling is ready to plant, otherwise the
// number of trees from two on.
struct GardenMark {
    enum class Kind { none, dot, count };
    Kind kind = Kind::none;
    std::int64_t trees = 0;
    bool operator==(const GardenMark&) const = default;
};
GardenMark gardenMark(const BonsaiProgress& bonsai);

// "+3 today"; none below one cube.
std::optional<std::string> gainedToday(std::int64_t cubes);

// The one-line seedling status: seedlings ready to plant, or the cubes to the next one with
// a bar of 54 points filled to the fraction (at least 3 points).
struct SeedlingStatus {
    bool ready = false;
    std::string text;
    double barWidth = 0; // points, when not ready
    bool operator==(const SeedlingStatus&) const = default;
};
SeedlingStatus seedlingStatus(const BonsaiProgress& bonsai);
inline constexpr double progressBarLength = 54;
double progressBarWidth(double fraction);

// The growth-reveal panel: shown while a reveal is set and the tarnel is open; hidden, it
// is a zero-wide strip as high as the screen's top area.
struct RevealPanel {
    bool visible = false;
    double width = 0;
    double height = 0;
    std::string grown;      // "+3"
    std::string grownLabel; // "cube grown" or "cubes grown"
    std::string total;      // "1,204 total"
    bool unlocked = false;
    bool operator==(const RevealPanel&) const = default;
};
inline constexpr double revealWidth = 252;
inline constexpr double revealHeight = 304;
RevealPanel revealPanel(const std::optional<Reveal>& reveal, bool expanded, double topHeight);

} // namespace BonsaiContent
} // namespace vesk
