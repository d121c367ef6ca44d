#pragma once

#include "core/runtime/Observations.hpp"

#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>

class QHBoxLayout;

namespace vesk {

class BonsaiThumbnails;
class RandomSource;
class Store;
class TarnelUI;
class TreeCard;

// The row of seedlings on offer (`TarnelUI::nursery`), one card each, showing the tree
// grown to 900 cubes. Built, it drops seeds planted since and draws afresh when two or
// fewer remain. A pick takes the seed off the row, then hands it to `onPick`; while locked
// the cards can be looked at but not picked.
class NurseryPicker final : public QWidget {
  public:
    using OnPick = std::function<void(std::uint64_t seed)>;

    // The count the seedlings are shown at.
    static constexpr std::int64_t shownCubes = 900;

    // Locked, the seedlings show and none can be planted.
    enum class Access { open, locked };

    NurseryPicker(Store& store, TarnelUI& ui, RandomSource& random, BonsaiThumbnails& thumbs, Access access,
                  double cardHeight, OnPick onPick, QWidget* parent = nullptr);

    void setLocked(bool locked);
    void refill();
    TreeCard* card(std::uint64_t seed) const;

  private:
    void follow();
    void pick(std::uint64_t seed);

    Store& store_;
    TarnelUI& ui_;
    RandomSource& random_;
    BonsaiThumbnails& thumbs_;
    bool locked_;
    double cardHeight_;
    OnPick onPick_;
    QHBoxLayout* row_;
    std::map<std::uint64_t, TreeCard*> cards_;
    Observations observations_;
};

} // namespace vesk
