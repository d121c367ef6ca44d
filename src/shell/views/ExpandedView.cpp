#include "shell/views/ExpandedView.hpp"

#include "shell/anim/Presence.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/controls/ThemedMenu.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/theme/Fonts.hpp"
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

bool showsCard(const std::optional<TourStep>& step) {
    return step == TourStep::welcome || step == TourStep::seedling;
}

} // namespace

ExpandedView::ExpandedView(Store& store, TarnelUI& ui, MenuServices menuServices, ScreenFactories factories,
                           QWidget* parent)
    : QWidget(parent), ui_(ui), factories_(std::move(factories)) {
    column_ = new QVBoxLayout(this);
    column_->setSpacing(0);
    column_->setContentsMargins(31, 0, 31, 14);

    topBar_ = new TopBar(store, ui, std::move(menuServices), this);
    column_->addWidget(topBar_);

    tabArea_ = new QWidget(this);
    // A menu of a screen, however long, never covers the top bar.
    ThemedMenu::keepMenusBelowTopOf(*tabArea_);
    // Every screen in one cell: the leaving one slides or fades out over the arriving one.
    stack_ = new QGridLayout(tabArea_);
    stack_->setContentsMargins(0, 8, 0, 0);
    column_->addWidget(tabArea_, 1);

    tourCardSlot_ = new QWidget(this);
    auto* cardColumn = new QVBoxLayout(tourCardSlot_);
    cardColumn->setContentsMargins(0, 0, 0, 0);
    tourCardSlot_->hide();
    column_->addWidget(tourCardSlot_, 1);

    screen_.bind(
        {ui_.tab, ui_.detailID, ui_.tour}, [this] { return screenFor(ui_); },
        [this](const ContentChange<Screen>& change) { showScreen(change); });
    observations_.watch(ui_.tour, [this] { followTourOverlay(); });
    observations_.watch(ui_.metrics, [this] { applyMetrics(); });
    observations_.watch(ui_.expanded, [this] { followExpanded(); });
    size_.bind(
        {ui_.metrics, ui_.tab, ui_.tour, ui_.gardenOpen},
        [this] {
            return TarnelUI::Size{ui_.expandedWidth(), ui_.expandedHeight()};
        },
        [this](const ContentChange<TarnelUI::Size>& change) {
            setFixedSize(static_cast<int>(change.now.width), static_cast<int>(change.now.height));
        });
    followExpanded();
    followTourOverlay();
}

void ExpandedView::followTourOverlay() {
    const auto step = ui_.tour.get();
    const bool wanted = step && spotlightTarget(*step) && factories_.tourOverlay;
    if (wanted == (overlay_ != nullptr)) return;
    if (!wanted) {
        Presence* presence = Presence::of(overlay_);
        overlay_ = nullptr;
        withAnimation(Animation::tarnelFast, [&] { presence->dismiss(); });
        return;
    }
    overlay_ = factories_.tourOverlay(this);
    overlay_->setGeometry(rect());
    overlay_->hide();
    auto* presence = new Presence(overlay_, Transition::fade());
    overlay_->raise();
    withAnimation(Animation::tarnelFast, [&] { presence->setPresent(true); });
}

void ExpandedView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (overlay_) overlay_->setGeometry(rect());
}

ExpandedView::Screen ExpandedView::screenFor(const TarnelUI& ui) {
    if (showsCard(ui.tour.get())) return Screen::tourCard;
    switch (ui.tab.get()) {
    case TarnelUI::Tab::tasks:
        return ui.detailID.get() ? Screen::taskDetail : Screen::tasks;
    case TarnelUI::Tab::bonsai:
        return Screen::bonsai;
    case TarnelUI::Tab::focus:
        return Screen::focus;
    case TarnelUI::Tab::stats:
        return Screen::stats;
    }
    return Screen::tasks;
}

QWidget* ExpandedView::build(Screen screen, QWidget* parent, Presence::Arrival arrival) const {
    static constexpr std::array<const char*, 6> names{"Tasks", "Task detail", "Bonsai",
                                                      "Focus", "Stats",       "Tour"};
    const std::array<const ScreenFactory*, 6> factories{&factories_.tasks,  &factories_.taskDetail,
                                                        &factories_.bonsai, &factories_.focus,
                                                        &factories_.stats,  &factories_.tourCard};
    const auto index = static_cast<std::size_t>(screen);
    const ScreenFactory& factory = *factories[index];
    QWidget* widget = factory ? factory(parent) : namedFrame(names[index], parent);
    if (screen == Screen::tourCard) {
        parent->layout()->addWidget(widget);
        widget->show();
        return widget;
    }
    stack_->addWidget(widget, 0, 0);
    Presence::attach(widget, transitionOf(screen), arrival);
    return widget;
}

void ExpandedView::showScreen(const ContentChange<Screen>& change) {
    if (current_) { // else built once the tarnel opens
        dismiss(current_, change.before && *change.before == Screen::tourCard);
        current_ = build(change.now, change.now == Screen::tourCard ? tourCardSlot_ : tabArea_,
                         Presence::Arrival::animated);
        shownExpanded_ = ui_.expanded.get();
    }
    applyMetrics();
}

void ExpandedView::dismiss(QWidget* screen, bool card) {
    if (Presence* presence = card ? nullptr : Presence::of(screen)) {
        presence->dismiss();
        return;
    }
    Presence::releaseFocus(screen);
    screen->hide();
    screen->deleteLater();
}

void ExpandedView::followExpanded() {
    if (!ui_.expanded.get()) return;
    const bool card = screen() == Screen::tourCard;
    if (!current_) {
        // Not before the tarnel first opens: it starts closed, and a long task list would cost
        // its rows before the pill could show.
        current_ = build(screen(), card ? tourCardSlot_ : tabArea_, Presence::Arrival::inPlace);
    } else if (shownExpanded_) {
        // A collapse ended the screen's showing as leaving it for another tab does: it comes
        // back built anew, its typed text, open fields and sections gone. Swapped before it shows.
        QWidget* ended = current_;
        withoutAnimation([&] { dismiss(ended, card); });
        current_ = build(screen(), card ? tourCardSlot_ : tabArea_, Presence::Arrival::inPlace);
    }
    shownExpanded_ = true;
}

void ExpandedView::applyMetrics() {
    const bool card = screen() == Screen::tourCard;
    const int barHeight = static_cast<int>(std::lround(std::max(ui_.metrics.get().topHeight, 30.0)));
    topBar_->setFixedHeight(barHeight);
    topBar_->setVisible(!card);
    tabArea_->setVisible(!card);
    tourCardSlot_->setVisible(card);
    // The tour card sits below a clear band as high as the bar, 6 points lower, 16 from the bottom.
    tourCardSlot_->setContentsMargins(0, barHeight + 6, 0, 0);
    column_->setContentsMargins(31, 0, 31, card ? 16 : 14);
}

} // namespace vesk
