#include "garden/garden/NurseryPicker.hpp"

#include "core/store/Store.hpp"
#include "garden/garden/NurseryDraw.hpp"
#include "garden/garden/TreeCard.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/controls/BoxLayouts.hpp"
#include "shell/state/TarnelUI.hpp"

#include <QHBoxLayout>
#include <algorithm>

namespace vesk {
namespace {

TreeCard::Content seedlingCard(std::uint64_t seed, bool locked) {
    return {seed, NurseryPicker::shownCubes, locked ? "Locked" : "Plant", false, locked};
}

} // namespace

NurseryPicker::NurseryPicker(Store& store, TarnelUI& ui, RandomSource& random, BonsaiThumbnails& thumbs,
                             Access access, double cardHeight, OnPick onPick, QWidget* parent)
    : QWidget(parent), store_(store), ui_(ui), random_(random), thumbs_(thumbs),
      locked_(access == Access::locked), cardHeight_(cardHeight), onPick_(std::move(onPick)) {
    row_ = rowLayout(this, 8 - 2 * TreeCard::overhang);
    refill();
    follow();
    observations_.watch(ui_.nursery, [this] { follow(); });
}

void NurseryPicker::refill() {
    ui_.setNursery(refilledNursery(ui_.nursery.get(), store_.bonsai.get(), random_));
}

void NurseryPicker::setLocked(bool locked) {
    if (locked == locked_) return;
    locked_ = locked;
    for (const auto& [seed, card] : cards_)
        card->setContent(seedlingCard(seed, locked_));
}

TreeCard* NurseryPicker::card(std::uint64_t seed) const {
    const auto found = cards_.find(seed);
    return found == cards_.end() ? nullptr : found->second;
}

void NurseryPicker::follow() {
    const std::vector<std::uint64_t>& seeds = ui_.nursery.get();
    for (auto it = cards_.begin(); it != cards_.end();) {
        if (std::find(seeds.begin(), seeds.end(), it->first) != seeds.end()) {
            ++it;
            continue;
        }
        // The card may be the one whose click got here.
        row_->removeWidget(it->second);
        it->second->hide();
        it->second->deleteLater();
        it = cards_.erase(it);
    }
    const bool animated = currentAnimation().has_value();
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        const std::uint64_t seed = seeds[i];
        TreeCard*& card = cards_[seed];
        if (!card) {
            card = new TreeCard(thumbs_, seedlingCard(seed, locked_), cardHeight_, this);
            card->setAction([this, seed] { pick(seed); });
            if (animated) {
                card->hide();
                (new Presence(card, Transition::fade()))->setPresent(true);
            }
            card->appear();
        }
        // In the order of the nursery.
        row_->removeWidget(card);
        row_->insertWidget(int(i), card, 1);
    }
}

void NurseryPicker::pick(std::uint64_t seed) {
    if (locked_) return;
    auto seeds = ui_.nursery.get();
    std::erase(seeds, seed);
    ui_.setNursery(std::move(seeds));
    if (onPick_) onPick_(seed);
}

} // namespace vesk
