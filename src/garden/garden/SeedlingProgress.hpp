#pragma once

#include "garden/bonsai/BonsaiContent.hpp"
#include "shell/state/ContentBinding.hpp"

#include <QWidget>

namespace vesk {

class Store;
class TextLabel;

// One line of seedling news: how many seedlings are ready to plant, or how many cubes the
// next one still needs, with a small bar of the way from the last one.
class SeedlingProgress final : public QWidget {
  public:
    explicit SeedlingProgress(Store& store, QWidget* parent = nullptr);

  private:
    class Bar;

    Store& store_;
    QWidget* readyRow_;
    TextLabel* readyText_;
    QWidget* progressRow_;
    TextLabel* progressText_;
    Bar* bar_;
    ContentBinding<BonsaiContent::SeedlingStatus> status_;
};

} // namespace vesk
