#include "shell/views/TopBar.hpp"

#include "core/store/Store.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/views/SettingsMenu.hpp"
#include "shell/controls/TabButton.hpp"
#include "shell/views/TimerChip.hpp"
#include "shell/state/Tour.hpp"
#include "shell/state/TourAnchor.hpp"
#include "shell/anim/Transaction.hpp"

#include <QHBoxLayout>
#include <cmath>

namespace vesk {

TopBar::TopBar(Store& store, MenuServices services, std::function<void(int)> select, QWidget* parent)
    : QWidget(parent), store_(store) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    for (int index = 0; index < 4; ++index) {
        auto* button = new TabButton(
            tabSymbols[static_cast<std::size_t>(index)], index == selected_,
            [select, index] { withAnimation(Animation::tarnel, [&] { select(index); }); }, this);
        buttons_[static_cast<std::size_t>(index)] = button;
        row->addWidget(button, 0, Qt::AlignVCenter);
    }
    tourAnchor(buttons_[1], TourTarget::bonsaiTab);
    tourAnchor(buttons_[2], TourTarget::focusTab);

    notchGap_ = new QSpacerItem(8, 0, QSizePolicy::Expanding, QSizePolicy::Minimum);
    row->addSpacerItem(notchGap_);

    chip_ = new TimerChip(store_, this);
    chip_->setAction([select] { withAnimation(Animation::tarnel, [&] { select(focusTab); }); });
    new Presence(chip_, Transition::scaled(0.8).combined(Transition::fade()));
    row->addWidget(chip_, 0, Qt::AlignVCenter);
    row->addWidget(new SettingsMenu(store_, std::move(services), this), 0, Qt::AlignVCenter);

    observations_.watch(store_.timer, [this] { refreshChip(); });
    refreshChip();
}

void TopBar::setSelectedTab(int index) {
    selected_ = index;
    for (int i = 0; i < 4; ++i)
        buttons_[static_cast<std::size_t>(i)]->setSelected(i == index);
    refreshChip();
}

void TopBar::setMetrics(const ScreenMetrics& metrics) {
    notchGap_->changeSize(static_cast<int>(std::lround(metrics.notchWidth + 8)), 0, QSizePolicy::Expanding,
                          QSizePolicy::Minimum);
    layout()->invalidate();
}

bool TopBar::chipShown() const {
    return Presence::of(chip_)->isPresent();
}

void TopBar::refreshChip() {
    Presence::of(chip_)->setPresent(store_.isTimerActive() && selected_ != focusTab);
}

} // namespace vesk
