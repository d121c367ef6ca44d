#include "shell/views/ExpandedView.hpp"

#include "shell/theme/Fonts.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/theme/Theme.hpp"
#include "shell/views/TopBar.hpp"

#include <QGridLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace vesk {
namespace {

QWidget* namedFrame(const QString& name, QWidget* parent) {
    auto* frame = new QWidget(parent);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new TextLabel(name, Fonts::text(12, FontWeight::medium), Theme::text3(), frame), 0,
                      Qt::AlignCenter);
    return frame;
}

Transition transitionOf(ExpandedView::Screen screen) {
    switch (screen) {
    case ExpandedView::Screen::tasks:
        return Transition::move(-1, 0).combined(Transition::fade());
    case ExpandedView::Screen::taskDetail:
        return Transition::move(1, 0).combined(Transition::fade());
    default:
        return Transition::fade();
    }
}

} // namespace

ExpandedView::ExpandedView(Store& store, MenuServices menuServices, std::function<void(int)> selectTab,
                           QWidget* parent)
    : QWidget(parent) {
    column_ = new QVBoxLayout(this);
    column_->setSpacing(0);
    column_->setContentsMargins(31, 0, 31, 14);

    topBar_ = new TopBar(store, std::move(menuServices), std::move(selectTab), this);
    column_->addWidget(topBar_);

    tabArea_ = new QWidget(this);
    // Every screen in one cell: the leaving one slides or fades out over the arriving one.
    auto* stack = new QGridLayout(tabArea_);
    stack->setContentsMargins(0, 8, 0, 0);
    const std::array<const char*, 5> names{"Tasks", "Task detail", "Bonsai", "Focus", "Stats"};
    for (std::size_t i = 0; i < screens_.size(); ++i) {
        screens_[i] = namedFrame(names[i], tabArea_);
        stack->addWidget(screens_[i], 0, 0);
        new Presence(screens_[i], transitionOf(static_cast<Screen>(i)));
        Presence::of(screens_[i])->setPresent(i == 0);
    }
    column_->addWidget(tabArea_, 1);

    tourCardSlot_ = namedFrame("Tour", this);
    tourCardSlot_->hide();
    column_->addWidget(tourCardSlot_, 1);
    applyLayout();
}

void ExpandedView::setTab(int tab, bool detailOpen) {
    static constexpr std::array<Screen, 4> byTab{Screen::tasks, Screen::bonsai, Screen::focus, Screen::stats};
    const Screen next =
        tab == 0 && detailOpen ? Screen::taskDetail : byTab[static_cast<std::size_t>(std::clamp(tab, 0, 3))];
    topBar_->setSelectedTab(tab);
    if (next == screen_) return;
    Presence::of(screenWidget(screen_))->setPresent(false);
    Presence::of(screenWidget(next))->setPresent(true);
    screen_ = next;
}

void ExpandedView::setTourStep(std::optional<TourStep> step) {
    const bool card = step == TourStep::welcome || step == TourStep::seedling;
    if (card == tourCard_) return;
    tourCard_ = card;
    applyLayout();
}

void ExpandedView::setMetrics(const ScreenMetrics& metrics) {
    metrics_ = metrics;
    topBar_->setMetrics(metrics);
    applyLayout();
}

void ExpandedView::setContentSize(QSize size) {
    setFixedSize(size);
}

void ExpandedView::applyLayout() {
    const int barHeight = static_cast<int>(std::lround(std::max(metrics_.topHeight, 30.0)));
    topBar_->setFixedHeight(barHeight);
    topBar_->setVisible(!tourCard_);
    tabArea_->setVisible(!tourCard_);
    tourCardSlot_->setVisible(tourCard_);
    // The tour card sits below a clear band as high as the bar, 6 points lower, 16 from the bottom.
    tourCardSlot_->setContentsMargins(0, barHeight + 6, 0, 0);
    column_->setContentsMargins(31, 0, 31, tourCard_ ? 16 : 14);
}

} // namespace vesk
