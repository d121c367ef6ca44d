#include "garden/bonsai/BonsaiContent.hpp"

#include "core/format/Fmt.hpp"
#include "shell/state/TarnelUI.hpp"

#include <algorithm>

namespace vesk::BonsaiContent {

namespace {

// Species and style names are plain ASCII.
std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return text;
}

// 25·k·(k+1), the total at which seedling k unlocks; large enough for any ledger.
double threshold(std::int64_t k) {
    const double kk = static_cast<double>(k);
    return 25.0 * kk * (kk + 1.0);
}

} // namespace

Screen screen(const BonsaiProgress& bonsai, bool gardenOpen) {
    if (!treeWithSeed(bonsai, bonsai.seed)) return Screen::firstSeedling;
    return gardenOpen ? Screen::garden : Screen::tree;
}

std::int64_t shownCount(const BonsaiProgress& bonsai) {
    const GardenTree* tree = treeWithSeed(bonsai, bonsai.seed);
    return tree ? shownCubes(*tree) : 0;
}

Caption caption(const std::optional<BonsaiInfo>& info, std::int64_t count) {
    Caption c{" ", " ", Fmt::grouped(count) + " cubes"};
    if (info) {
        c.japanese = info->japanese;
        c.subtitle = upper(info->species + " · " + info->style);
    }
    return c;
}

GardenMark gardenMark(const BonsaiProgress& bonsai) {
    if (bonsai.seedlingsAvailable() >= 1) return {GardenMark::Kind::dot, 0};
    const auto trees = static_cast<std::int64_t>(bonsai.garden.size());
    if (trees >= 2) return {GardenMark::Kind::count, trees};
    return {};
}

std::optional<std::string> gainedToday(std::int64_t cubes) {
    if (cubes < 1) return std::nullopt;
    return "+" + std::to_string(cubes) + " today";
}

double progressBarWidth(double fraction) {
    return std::max(3.0, progressBarLength * std::clamp(fraction, 0.0, 1.0));
}

SeedlingStatus seedlingStatus(const BonsaiProgress& bonsai) {
    const std::int64_t unlocked = bonsai.seedlingsUnlocked();
    const std::int64_t available = bonsai.seedlingsAvailable();
    if (available >= 1) {
        return {true,
                available == 1 ? "A seedling is ready to plant"
                               : std::to_string(available) + " seedlings ready to plant",
                0};
    }
    const double total = static_cast<double>(bonsai.totalGained());
    const double lo = threshold(unlocked), hi = threshold(unlocked + 1);
    const double fraction = (total - lo) / std::max(hi - lo, 1.0);
    const std::int64_t remaining = static_cast<std::int64_t>(hi - total);
    return {false, "Next seedling in " + Fmt::grouped(remaining), progressBarWidth(fraction)};
}

RevealPanel revealPanel(const std::optional<Reveal>& reveal, bool expanded, double topHeight) {
    if (!reveal || !expanded) return {false, 0, std::max(30.0, topHeight), "", "", "", false};
    // Both counts are cube counts, never negative, so their difference always fits.
    const std::int64_t grown = reveal->to - reveal->from;
    return {true,
            revealWidth,
            revealHeight,
            "+" + std::to_string(grown),
            grown == 1 ? "cube grown" : "cubes grown",
            Fmt::grouped(reveal->to) + " total",
            reveal->unlocked};
}

} // namespace vesk::BonsaiContent
