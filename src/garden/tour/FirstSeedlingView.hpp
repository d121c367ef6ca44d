#pragma once

#include "shell/state/ContentBinding.hpp"

#include <QWidget>
#include <cstdint>
#include <string>

namespace vesk {

class BonsaiThumbnails;
class RandomSource;
class Store;
class TarnelUI;
class WrappedText;

// The line under "Pick your first seedling": the cubes already earned, when there are any.
std::string firstSeedlingLine(std::int64_t pendingCubes);

// The bonsai tab while no tree is planted: an invitation and the nursery to plant from.
class FirstSeedlingView final : public QWidget {
  public:
    FirstSeedlingView(Store& store, TarnelUI& ui, RandomSource& random, BonsaiThumbnails& thumbnails,
                      QWidget* parent = nullptr);

  private:
    Store& store_;
    WrappedText* line_;
    ContentBinding<std::string> lineText_;
};

} // namespace vesk
