#pragma once

#include "shell/state/ContentBinding.hpp"
#include "shell/state/Tour.hpp"

#include <QPointer>
#include <QWidget>

class QGridLayout;

namespace vesk {

class BonsaiThumbnails;
class NurserySection;
class PlainButton;
class RandomSource;
class Store;
class TarnelUI;
class TextLabel;
class WrappedText;

// The tour's first part, in place of the tabs: the welcome page, then the seedling page with
// the nursery. The page follows the tour's step; a new page slides in from the trailing edge.
class TourCard final : public QWidget {
  public:
    TourCard(Store& store, TarnelUI& ui, RandomSource& random, BonsaiThumbnails& thumbnails,
             QWidget* parent = nullptr);

    PlainButton* startButton() const { return start_; }
    PlainButton* skipButton() const { return skip_; }
    bool showsWelcome() const { return welcome_.content(); }
    // The seedling page's nursery; none on the welcome page.
    NurserySection* nursery() const { return showsWelcome() ? nullptr : nursery_; }

  private:
    void showPage(const ContentChange<bool>& welcome);
    QWidget* welcomePage();
    QWidget* seedlingPage();

    Store& store_;
    TarnelUI& ui_;
    RandomSource& random_;
    BonsaiThumbnails& thumbnails_;
    QGridLayout* pages_;
    QWidget* page_ = nullptr;
    PlainButton* skip_;
    PlainButton* start_;
    TextLabel* tapHint_;
    QPointer<WrappedText> hotKeyHint_; // on the welcome page, which goes when the page does
    NurserySection* nursery_ = nullptr;
    Observations observations_;
    ContentBinding<bool> welcome_;
};

} // namespace vesk
