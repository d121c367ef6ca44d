#include "tabs/focus/FocusView.hpp"

#include "core/store/Store.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/BoxLayouts.hpp"
#include "shell/controls/Chip.hpp"
#include "shell/controls/IconButton.hpp"
#include "shell/controls/Segmented.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"
#include "tabs/focus/FocusDial.hpp"
#include "tabs/focus/PlayButton.hpp"
#include "tabs/focus/StopwatchFace.hpp"
#include "tabs/focus/TaskPicker.hpp"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <span>

namespace vesk {

namespace {

constexpr int gap = 14;

// Runs a timer action the way every button of this screen does.
template <class Action> void quickly(Action&& action) {
    withAnimation(Animation::tarnelFast, std::forward<Action>(action));
}

void selectChips(const std::vector<Chip*>& chips, std::span<const std::int64_t> values, std::int64_t chosen) {
    for (std::size_t i = 0; i < chips.size(); ++i)
        chips[i]->setSelected(values[i] == chosen);
}

} // namespace

FocusView::FocusView(Store& store, ViewServices services, QWidget* parent, AnimationManager* manager)
    : QWidget(parent), store_(store), services_(services) {
    auto* stack = columnLayout(this, 0);
    // The dial's widget reaches beyond its frame by the stopwatch dot's overhang.
    const int dialGap = gap - static_cast<int>(StopwatchFace::bleed);

    mode_ = new Segmented<TimerMode>(
        {{TimerMode::pomodoro, QStringLiteral("Pomodoro")},
         {TimerMode::stopwatch, QStringLiteral("Stopwatch")}},
        store_.timer.get().mode, [this](TimerMode mode) { quickly([&] { store_.setMode(mode); }); }, this);
    stack->addWidget(mode_, 0, Qt::AlignHCenter);
    stack->addSpacing(dialGap);
    dial_ = new FocusDial(this, manager);
    stack->addWidget(dial_, 0, Qt::AlignHCenter);
    stack->addSpacing(dialGap);
    picker_ = new TaskPicker(store_, this);
    stack->addWidget(picker_, 0, Qt::AlignHCenter);
    stack->addSpacing(gap);
    stack->addWidget(buildControls(), 0, Qt::AlignHCenter);
    stack->addWidget(buildPresets(manager), 0, Qt::AlignHCenter);
    stack->addStretch(1);
    stack->addSpacing(gap);
    summary_ = new TextLabel({}, Fonts::text(11), Theme::text3(), this);
    summary_->setAlignment(Qt::AlignCenter);
    stack->addWidget(summary_, 0, Qt::AlignHCenter);

    content_.bind(
        {store_.timer, store_.now, store_.prefs, store_.sessions, store_.tasks},
        [this] { return focusContent(store_, services_.today()); },
        [this](const ContentChange<FocusContent>& change) { apply(change); });
}

QWidget* FocusView::buildControls() {
    auto* controls = new QWidget(this);
    auto* row = rowLayout(controls, 22);
    reset_ = new IconButton(
        "arrow.counterclockwise", 13, Theme::text2(), QStringLiteral("Reset (discard)"),
        [this] { quickly([&] { store_.resetTimer(); }); }, controls);
    play_ = new PlayButton(controls);
    play_->setAction([this] {
        quickly([&] {
            if (store_.timer.get().runningSince)
                store_.pause();
            else
                store_.resume();
        });
    });
    finish_ = new IconButton(
        "stop.fill", 12, Theme::text2(), QStringLiteral("Finish and save"),
        [this] { quickly([&] { store_.finish(); }); }, controls);
    for (QWidget* button :
         {static_cast<QWidget*>(reset_), static_cast<QWidget*>(play_), static_cast<QWidget*>(finish_)})
        row->addWidget(button, 0, Qt::AlignVCenter);
    return controls;
}

QWidget* FocusView::buildPresets(AnimationManager* manager) {
    presets_ = new QWidget(this);
    auto* row = new QHBoxLayout(presets_);
    // The gap above belongs to the row, so that it goes with it in stopwatch mode.
    row->setContentsMargins(0, gap, 0, 0);
    row->setSpacing(14);
    auto group = [&](const QString& caption, std::span<const std::int64_t> values, const QColor& tint,
                     std::int64_t Prefs::*minutes, std::vector<Chip*>& chips) {
        auto* line = new QHBoxLayout;
        line->setSpacing(4);
        line->addWidget(
            new TextLabel(caption, Fonts::text(10.5, FontWeight::medium), Theme::text3(), presets_), 0,
            Qt::AlignVCenter);
        line->addSpacing(2);
        for (const std::int64_t value : values) {
            auto* chip = new Chip(
                QString::number(value), Chip::State::unselected, tint,
                [this, minutes, value] { store_.writePrefs([&](Prefs& prefs) { prefs.*minutes = value; }); },
                presets_);
            chips.push_back(chip);
            line->addWidget(chip, 0, Qt::AlignVCenter);
        }
        row->addLayout(line);
    };
    group(QStringLiteral("Focus"), focusPresets, Theme::focus(), &Prefs::focusMinutes, focusChips_);
    group(QStringLiteral("Break"), breakPresets, Theme::rest(), &Prefs::breakMinutes, breakChips_);
    new Presence(presets_, Transition::fade(), manager);
    return presets_;
}

void FocusView::apply(const ContentChange<FocusContent>& change) {
    const FocusContent& next = change.now;
    if (change.changed(&FocusContent::mode)) mode_->setSelection(next.mode);
    // Inside the animation of the mode change, when there is one.
    if (change.changed(&FocusContent::showsPresets)) Presence::of(presets_)->setPresent(next.showsPresets);
    dial_->apply({next.dial, change.before ? &change.before->dial : nullptr});
    if (change.changed(&FocusContent::controls)) {
        const FocusControlsContent& controls = next.controls;
        play_->setLook(controls.playSymbol, controls.playFill);
        for (IconButton* button : {reset_, finish_}) {
            button->setEnabled(controls.canEnd);
            button->setTint(controls.endTint);
        }
        finish_->setIcon(controls.finishSymbol);
        finish_->setHelp(QString::fromStdString(controls.finishHelp));
    }
    if (change.changed(&FocusContent::picker)) picker_->setLabel(next.picker);
    if (change.changed(&FocusContent::focusMinutes))
        selectChips(focusChips_, focusPresets, next.focusMinutes);
    if (change.changed(&FocusContent::breakMinutes))
        selectChips(breakChips_, breakPresets, next.breakMinutes);
    summary_->setText(QString::fromStdString(next.summary));
}

} // namespace vesk
