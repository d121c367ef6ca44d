#include "shell/views/CollapsedView.hpp"

#include "core/store/Store.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/controls/BoxLayouts.hpp"
#include "shell/controls/PulseDot.hpp"
#include "shell/controls/Ring.hpp"
#include "shell/controls/RollingText.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Symbols.hpp"
#include "shell/theme/Theme.hpp"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cmath>

namespace vesk {
namespace {

QColor withAlpha(QColor color, double alpha) {
    color.setAlphaF(static_cast<float>(color.alphaF() * alpha));
    return color;
}

} // namespace

CollapsedView::CollapsedView(TarnelUI& ui, QWidget* parent) : QWidget(parent), ui_(ui) {
    setAttribute(Qt::WA_TransparentForMouseEvents); // the tarnel takes the clicks
    auto* column = columnLayout(this, 0);
    column->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    mainRow_ = new QWidget(this);
    mainLayout_ = new QHBoxLayout(mainRow_);
    mainLayout_->setContentsMargins(18, 0, 18, 0);
    mainLayout_->setSpacing(7);

    auto* leading = new QHBoxLayout;
    leading->setSpacing(6);
    leaf_ = new TextLabel(Symbols::glyph("leaf.fill"), Fonts::symbols(10.5), withAlpha(Theme::accent(), 0.75),
                          mainRow_);
    ring_ = new Ring(0, Theme::focus(), 2, mainRow_);
    ring_->setFixedSize(12, 12);
    dot_ = new PulseDot(Theme::focus(), PulseDot::State::paused, mainRow_);
    title_ = new TextLabel({}, Fonts::text(11.5, FontWeight::medium), Theme::text2(), mainRow_);
    for (QWidget* part : {static_cast<QWidget*>(leaf_), static_cast<QWidget*>(ring_),
                          static_cast<QWidget*>(dot_), static_cast<QWidget*>(title_)})
        leading->addWidget(part, 0, Qt::AlignVCenter);
    mainLayout_->addLayout(leading);

    notchGap_ = new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum);
    mainLayout_->addSpacerItem(notchGap_);

    count_ = new TextLabel({}, Fonts::text(11.5, FontWeight::semibold, FontDesign::rounded), Theme::text2(),
                           mainRow_);
    count_->setTabularDigits(true);
    clock_ = new RollingText(mainRow_);
    clock_->setTextFont(Fonts::text(12.5, FontWeight::semibold, FontDesign::rounded));
    clock_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    clock_->setFrameRate(clockFrameRate);
    mainLayout_->addWidget(count_, 0, Qt::AlignVCenter);
    mainLayout_->addWidget(clock_, 0, Qt::AlignVCenter);
    column->addWidget(mainRow_);

    toastRow_ = new QWidget(this);
    auto* toastLayout = rowLayout(toastRow_, 7);
    toastLayout->setAlignment(Qt::AlignCenter);
    toastIcon_ = new TextLabel({}, Fonts::symbols(12), Theme::text(), toastRow_);
    toastText_ = new TextLabel({}, Fonts::text(12.5, FontWeight::medium), Theme::text(), toastRow_);
    toastLayout->addWidget(toastIcon_);
    toastLayout->addWidget(toastText_);
    toastRow_->setFixedHeight(30);
    new Presence(toastRow_, Transition::scaled(0.9, 0.5, 0).combined(Transition::fade()));
    column->addWidget(toastRow_);

    const Store& store = ui_.store;
    content_.bind(
        {store.timer, store.now, store.tasks, ui_.metrics},
        [this] { return collapsedContent(ui_.store, ui_.metrics.get()); },
        [this](const ContentChange<CollapsedContent>& change) { apply(change); });
    toast_.bind(
        {ui_.toast}, [this] { return ui_.toast.get(); },
        [this](const ContentChange<std::optional<Toast>>& change) { applyToast(change.now); });
}

void CollapsedView::apply(const ContentChange<CollapsedContent>& change) {
    const CollapsedContent& next = change.now;
    if (change.changed(&CollapsedContent::metrics)) {
        mainRow_->setFixedHeight(static_cast<int>(std::lround(next.metrics.topHeight)));
        notchGap_->changeSize(static_cast<int>(std::lround(next.metrics.notchWidth)), 0,
                              QSizePolicy::Expanding, QSizePolicy::Minimum);
        mainLayout_->invalidate();
    }
    const bool timerActive = next.trailingIsClock;
    leaf_->setVisible(next.mark == CollapsedContent::Mark::leaf);
    ring_->setVisible(next.mark == CollapsedContent::Mark::ring);
    dot_->setVisible(next.mark == CollapsedContent::Mark::pulse);
    if (timerActive) {
        ring_->setProgress(next.progress);
        ring_->setTint(next.timer.tint);
        dot_->setColor(next.timer.tint);
        dot_->setRunning(next.timer.running);
    }
    title_->setVisible(next.title.has_value());
    title_->setText(QString::fromStdString(next.title.value_or("")));
    title_->setMaximumWidth(static_cast<int>(next.titleMaxWidth));
    count_->setVisible(!timerActive);
    clock_->setVisible(timerActive);
    if (timerActive) {
        clock_->setColor(next.trailingColor);
        clock_->setText(QString::fromStdString(next.trailing),
                        next.timer.countsDown ? RollingText::Direction::down : RollingText::Direction::up);
    } else {
        count_->setText(QString::fromStdString(next.trailing));
    }
}

void CollapsedView::applyToast(const std::optional<Toast>& toast) {
    if (toast) {
        toastIcon_->setText(Symbols::glyph(toast->icon));
        toastIcon_->setColor(QColor::fromRgba(toast->tint));
        toastText_->setText(QString::fromStdString(toast->text));
    }
    // Through its presence: a plain show() would leave the row painted at opacity 0.
    Presence::of(toastRow_)->setPresent(toast.has_value());
}

} // namespace vesk
