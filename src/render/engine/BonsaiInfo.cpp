#include "render/engine/BonsaiInfo.hpp"

namespace vesk {

std::string styleLabel(bonsai::Style style) {
    const auto label = [](const char* japanese, const char* english) {
        return std::string(japanese) + " \u00B7 " + english;
    };
    switch (style) {
    case bonsai::Style::chokkan:
        return label("Chokkan", "formal upright");
    case bonsai::Style::moyogi:
        return label("Moyogi", "informal upright");
    case bonsai::Style::shakan:
        return label("Shakan", "slanting");
    case bonsai::Style::fukinagashi:
        return label("Fukinagashi", "windswept");
    case bonsai::Style::bunjin:
        return label("Bunjin", "literati");
    case bonsai::Style::hanKengai:
        return label("Han-kengai", "semi-cascade");
    case bonsai::Style::hokidachi:
        return label("Hokidachi", "broom");
    }
    return {};
}

BonsaiInfo BonsaiInfo::of(const bonsai::VoxelTree& tree) {
    return {tree.species.japanese, tree.species.name, styleLabel(tree.style),
            std::int64_t(tree.cubes.size())};
}

} // namespace vesk
