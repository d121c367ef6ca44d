#include "garden/bonsai/BonsaiTab.hpp"

#include "core/store/Store.hpp"
#include "garden/bonsai/BonsaiTree.hpp"
#include "garden/garden/GardenView.hpp"
#include "garden/tour/FirstSeedlingView.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/state/TarnelUI.hpp"

#include <QGridLayout>

namespace vesk {

namespace {

using Screen = BonsaiContent::Screen;

Transition transitionOf(Screen screen) {
    switch (screen) {
    case Screen::tree:
        return Transition::move(-1, 0).combined(Transition::fade());
    case Screen::garden:
        return Transition::move(1, 0).combined(Transition::fade());
    case Screen::firstSeedling:
        break;
    }
    return Transition::fade();
}

} // namespace

BonsaiTab::BonsaiTab(Store& store, TarnelUI& ui, RandomSource& random, BonsaiEngine& engine,
                     SceneFrames& frames, BonsaiThumbnails& thumbnails, QWidget* parent)
    : QWidget(parent), store_(store), ui_(ui), random_(random), engine_(engine), frames_(frames),
      thumbnails_(thumbnails) {
    stack_ = new QGridLayout(this);
    stack_->setContentsMargins(0, 0, 0, 0);
    screen_.bind(
        {store_.bonsai, ui_.gardenOpen},
        [this] { return BonsaiContent::screen(store_.bonsai.get(), ui_.gardenOpen.get()); },
        [this](const ContentChange<BonsaiContent::Screen>& change) {
            if (Presence* presence = Presence::of(current_)) presence->dismiss(); // none at first
            current_ =
                build(change.now, change.before ? Presence::Arrival::animated : Presence::Arrival::inPlace);
        });
}

QWidget* BonsaiTab::build(Screen screen, Presence::Arrival arrival) {
    QWidget* widget = nullptr;
    switch (screen) {
    case Screen::firstSeedling:
        widget = new FirstSeedlingView(store_, ui_, random_, thumbnails_, this);
        break;
    case Screen::tree:
        widget = new BonsaiTree(store_, ui_, engine_, frames_, this);
        break;
    case Screen::garden:
        widget = new GardenView(store_, ui_, random_, thumbnails_, this);
        break;
    }
    stack_->addWidget(widget, 0, 0);
    Presence::attach(widget, transitionOf(screen), arrival);
    return widget;
}

} // namespace vesk
