#pragma once

#include <cstdint>
#include <string>

namespace vesk {

// What a tree card shows, decided from the seed and the card's state alone.

// The species' Japanese name and the style name: "Momiji · Moyogi".
std::string treeCardTitle(std::uint64_t seed);
// The species' English name; a locked card adds when it becomes available.
std::string treeCardHelp(std::uint64_t seed, bool locked);

// The outline of the thumbnail: the accent marks the current tree, a lighter line follows
// the pointer over a card that can be picked.
enum class CardBorder { accent, hovered, hairline };
// What a card's outline and size follow.
struct CardState {
    bool highlight = false;
    bool hover = false;
    bool locked = false;
};
CardBorder cardBorder(const CardState& card);
double cardBorderWidth(CardBorder border);
// The thumbnail grows a little under the pointer, unless the card is locked.
double cardScale(const CardState& card);

} // namespace vesk
