#include "garden/garden/TreeCardContent.hpp"

#include "bonsai/VoxelGrower.hpp"
#include "render/engine/BonsaiInfo.hpp"

namespace vesk {

std::string treeCardTitle(std::uint64_t seed) {
    const auto [species, style] = bonsai::VoxelGrower::speciesAndStyle(seed);
    return species.japanese + " \u00B7 " + styleName(style);
}

std::string treeCardHelp(std::uint64_t seed, bool locked) {
    const std::string name = bonsai::VoxelGrower::speciesAndStyle(seed).first.name;
    return locked ? name + " \u2014 unlocks with your next seedling" : name;
}

CardBorder cardBorder(const CardState& card) {
    if (card.highlight) return CardBorder::accent;
    if (card.hover && !card.locked) return CardBorder::hovered;
    return CardBorder::hairline;
}

double cardBorderWidth(CardBorder border) {
    return border == CardBorder::accent ? 1.5 : 1.0;
}

double cardScale(const CardState& card) {
    return card.hover && !card.locked ? 1.02 : 1.0;
}

} // namespace vesk
