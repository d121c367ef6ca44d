#include "garden/garden/GardenContent.hpp"

#include "core/format/Fmt.hpp"

#include <algorithm>

namespace vesk {

bool isCurrentTree(const BonsaiProgress& progress, const GardenTree& tree) {
    return progress.seed != 0 && tree.seed == progress.seed;
}

std::vector<GardenTree> gardenOrder(const BonsaiProgress& progress) {
    std::vector<GardenTree> trees = progress.garden;
    const auto current = [&](const GardenTree& tree) { return isCurrentTree(progress, tree); };
    std::stable_sort(trees.begin(), trees.end(), [&](const GardenTree& a, const GardenTree& b) {
        if (current(a) != current(b)) return current(a);
        return a.plantedAt > b.plantedAt;
    });
    return trees;
}

std::string gardenCountLine(const BonsaiProgress& progress) {
    const std::size_t trees = progress.garden.size();
    return std::to_string(trees) + (trees == 1 ? " tree" : " trees") + " \u00B7 " +
           Fmt::grouped(progress.totalGained()) + " cubes earned";
}

std::string nurseryTitle(std::int64_t availableSeedlings) {
    return availableSeedlings >= 1 ? "Nursery \u00B7 pick your new seedling" : "Nursery";
}

std::string gardenTreeSubtitle(const GardenTree& tree, bool current) {
    const std::string count = Fmt::grouped(shownCubes(tree));
    return current ? "Growing \u00B7 " + count : count + " cubes";
}

std::vector<MenuEntry> gardenTreeMenu(bool current, std::function<void()> remove) {
    if (current) return {};
    MenuEntry entry = MenuEntry::button("Remove from garden", std::move(remove));
    entry.danger = true;
    return {entry};
}

} // namespace vesk
