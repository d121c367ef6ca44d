#pragma once

#include "core/model/Uuid.hpp"
#include "core/runtime/Observations.hpp"

#include <QWidget>
#include <map>
#include <memory>

class QGridLayout;
class QMenu;
class QScrollArea;

namespace vesk {

class BonsaiThumbnails;
class NurserySection;
class RandomSource;
class Store;
class TarnelUI;
class TextLabel;
class TreeCard;

// The garden: every planted tree as a card (the current one first), the nursery to plant a
// new seedling from, and the way back to the tree. A card makes its tree the one that grows
// and closes the garden; its context menu removes any tree but the current one. Cards ask for
// their thumbnails once they have been scrolled into view.
class GardenView final : public QWidget {
  public:
    GardenView(Store& store, TarnelUI& ui, RandomSource& random, BonsaiThumbnails& thumbs,
               QWidget* parent = nullptr);
    ~GardenView() override;

    NurserySection& nursery() const { return *nursery_; }
    const TextLabel& countLine() const { return *count_; }
    TreeCard* card(const UUID& tree) const;
    // The cards in grid order.
    std::vector<TreeCard*> cards() const;
    // The context menu of a tree's card, filled; none for the current tree, which offers nothing.
    std::unique_ptr<QMenu> contextMenu(const UUID& tree);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void refresh();
    void plantSeedling(std::uint64_t seed);
    void openTree(std::uint64_t seed);
    // Cards inside the scrolled view have appeared.
    void revealVisibleCards();

    Store& store_;
    TarnelUI& ui_;
    BonsaiThumbnails& thumbs_;
    TextLabel* count_;
    NurserySection* nursery_;
    QScrollArea* scroll_;
    QWidget* grid_;
    QGridLayout* gridLayout_;
    std::map<UUID, TreeCard*> cards_;
    Observations observations_;
};

} // namespace vesk
