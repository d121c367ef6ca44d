#include "app/Screens.hpp"

#include "garden/garden/GardenView.hpp"
#include "garden/tour/TourOverlay.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/state/Observations.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"
#include "tabs/detail/TaskDetailView.hpp"
#include "tabs/focus/FocusView.hpp"
#include "tabs/stats/StatsView.hpp"

#include <QVBoxLayout>

namespace vesk {
namespace {

// Until the bonsai tab lands: the garden while it is open, else the tab's name.
class GardenHost final : public QWidget {
  public:
    GardenHost(Store& store, TarnelUI& ui, BonsaiThumbnails& thumbs, QWidget* parent)
        : QWidget(parent), store_(store), ui_(ui), thumbs_(thumbs) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        follow();
        observations_.watch(ui_.gardenOpen, [this] { follow(); });
    }

  private:
    void follow() {
        // The garden may close from one of its own buttons.
        if (content_) {
            content_->hide();
            content_->deleteLater();
        }
        if (ui_.gardenOpen.get())
            content_ = new GardenView(store_, ui_, thumbs_, this);
        else
            content_ = new TextLabel("Bonsai", Fonts::text(12, FontWeight::medium), Theme::text3(), this);
        layout()->addWidget(content_);
    }

    Store& store_;
    TarnelUI& ui_;
    BonsaiThumbnails& thumbs_;
    QWidget* content_ = nullptr;
    Observations observations_;
};

} // namespace

ScreenFactories makeScreens(Store& store, TarnelUI& ui, BonsaiEngine& engine, BonsaiThumbnails& thumbnails) {
    (void)engine;
    ScreenFactories screens;
    screens.taskDetail = [&store, &ui](QWidget* parent) -> QWidget* {
        return new TaskDetailView(store, ui, ui.detailID.get().value_or(UUID{}), parent);
    };
    screens.bonsai = [&store, &ui, &thumbnails](QWidget* parent) -> QWidget* {
        return new GardenHost(store, ui, thumbnails, parent);
    };
    screens.focus = [&store](QWidget* parent) -> QWidget* { return new FocusView(store, parent); };
    screens.stats = [&store](QWidget* parent) { return new StatsView(store, parent); };
    screens.tourOverlay = [&ui](QWidget* parent) -> QWidget* { return new TourOverlay(ui, parent); };
    return screens;
}

} // namespace vesk
