#include "render/engine/BonsaiInfo.hpp"

namespace vesk {

namespace {

struct StyleNames {
    const char* japanese;
    const char* english;
};

StyleNames namesOf(bonsai::Style style) {
    switch (style) {
    case bonsai::Style::chokkan:
        return {"Chokkan", "formal upright"};
    case bonsai::Style::moyogi:
        return {"Moyogi", "informal upright"};
    case bonsai::Style::shakan:
        return {"Shakan", "slanting"};
    case bonsai::Style::fukinagashi:
        return {"Fukinagashi", "windswept"};
    case bonsai::Style::bunjin:
        return {"Bunjin", "literati"};
    case bonsai::Style::hanKengai:
        return {"Han-kengai", "semi-cascade"};
    case bonsai::Style::hokidachi:
        return {"Hokidachi", "broom"};
    }
    return {"", ""};
}

} // namespace

std::string styleName(bonsai::Style style) {
    return namesOf(style).japanese;
}

std::string styleLabel(bonsai::Style style) {
    const StyleNames names = namesOf(style);
    return std::string(names.japanese) + " \u00B7 " + names.english;
}

BonsaiInfo BonsaiInfo::of(const bonsai::VoxelTree& tree) {
    return {tree.species.japanese, tree.species.name, styleLabel(tree.style),
            std::int64_t(tree.cubes.size())};
}

} // namespace vesk
