#pragma once

#include "core/model/BonsaiModels.hpp"
#include "shell/controls/MenuModel.hpp"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vesk {

// What the garden shows, decided from the growth ledger alone.

// Whether `tree` is the one that grows; seed 0 names no tree.
bool isCurrentTree(const BonsaiProgress& progress, const GardenTree& tree);

// The current tree first, then the others from the newest planted to the oldest; trees
// planted at the same instant keep their stored order.
std::vector<GardenTree> gardenOrder(const BonsaiProgress& progress);

// "1 tree · 50 cubes earned", "3 trees · 1,204 cubes earned".
std::string gardenCountLine(const BonsaiProgress& progress);

// "Nursery · pick your new seedling" while a seedling can be planted, else "Nursery".
std::string nurseryTitle(std::int64_t availableSeedlings);

// Under a garden card: "Growing · 1,204" on the current tree, "1,204 cubes" on the others.
std::string gardenTreeSubtitle(const GardenTree& tree, bool current);

// The context menu of a garden card: nothing on the current tree, which cannot be removed;
// "Remove from garden" running `remove` on the others.
std::vector<MenuEntry> gardenTreeMenu(bool current, std::function<void()> remove);

} // namespace vesk
