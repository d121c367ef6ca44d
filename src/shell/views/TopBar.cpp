#include "shell/views/TopBar.hpp"

#include "core/model/TimerReadings.hpp"
#include "core/store/Store.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/controls/BoxLayouts.hpp"
#include "shell/controls/TabButton.hpp"
#include "shell/state/Tour.hpp"
#include "shell/state/TourAnchor.hpp"
#include "shell/views/SettingsMenu.hpp"
#include "shell/views/TimerChip.hpp"

#include <QHBoxLayout>
#include <cmath>

namespace vesk {

TopBar::TopBar(Store& store, TarnelUI& ui, MenuServices services, QWidget* parent)
    : QWidget(parent), ui_(ui) {
    auto* row = rowLayout(this, 2);
    for (const TarnelUI::Tab tab : TarnelUI::allTabs) {
        const auto index = static_cast<std::size_t>(tab);
        auto* button = new TabButton(
            tabSymbols[index], tab == ui_.tab.get(), [this, tab] { ui_.select(tab); }, this);
        buttons_[index] = button;
        row->addWidget(button, 0, Qt::AlignVCenter);
    }
    tourAnchor(tabButton(TarnelUI::Tab::bonsai), TourTarget::bonsaiTab);
    tourAnchor(tabButton(TarnelUI::Tab::focus), TourTarget::focusTab);

    notchGap_ = new QSpacerItem(8, 0, QSizePolicy::Expanding, QSizePolicy::Minimum);
    row->addSpacerItem(notchGap_);

    chip_ = new TimerChip(store, this);
    chip_->setAction([this] { ui_.select(TarnelUI::Tab::focus); });
    new Presence(chip_, Transition::scaled(0.8).combined(Transition::fade()));
    row->addWidget(chip_, 0, Qt::AlignVCenter);
    row->addWidget(new SettingsMenu(store, std::move(services), this), 0, Qt::AlignVCenter);

    content_.bind(
        {store.timer, ui_.tab, ui_.metrics},
        [this, &store] {
            const TarnelUI::Tab tab = ui_.tab.get();
            return Content{tab, isTimerActive(store.timer.get()) && tab != TarnelUI::Tab::focus,
                           ui_.metrics.get().notchWidth + 8};
        },
        [this](const ContentChange<Content>& change) { apply(change); });
}

void TopBar::apply(const ContentChange<Content>& change) {
    if (change.changed(&Content::tab))
        for (const TarnelUI::Tab tab : TarnelUI::allTabs)
            tabButton(tab)->setSelected(tab == change.now.tab);
    if (change.changed(&Content::chipShown)) Presence::of(chip_)->setPresent(change.now.chipShown);
    if (change.changed(&Content::notchGap)) {
        notchGap_->changeSize(static_cast<int>(std::lround(change.now.notchGap)), 0, QSizePolicy::Expanding,
                              QSizePolicy::Minimum);
        layout()->invalidate();
    }
}

bool TopBar::chipShown() const {
    return Presence::of(chip_)->isPresent();
}

} // namespace vesk
