#include "shell/views/CollapsedView.hpp"

#include "core/store/Store.hpp"
#include "shell/anim/Presence.hpp"
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

CollapsedView::CollapsedView(Store& store, QWidget* parent) : QWidget(parent), store_(store) {
    setAttribute(Qt::WA_TransparentForMouseEvents); // the tarnel takes the clicks
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
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
    dot_ = new PulseDot(Theme::focus(), false, mainRow_);
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
    auto* toastLayout = new QHBoxLayout(toastRow_);
    toastLayout->setContentsMargins(0, 0, 0, 0);
    toastLayout->setSpacing(7);
    toastLayout->setAlignment(Qt::AlignCenter);
    toastIcon_ = new TextLabel({}, Fonts::symbols(12), Theme::text(), toastRow_);
    toastText_ = new TextLabel({}, Fonts::text(12.5, FontWeight::medium), Theme::text(), toastRow_);
    toastLayout->addWidget(toastIcon_);
    toastLayout->addWidget(toastText_);
    toastRow_->setFixedHeight(30);
    new Presence(toastRow_, Transition::scaled(0.9, 0.5, 0).combined(Transition::fade()));
    Presence::of(toastRow_)->setPresent(false);
    column->addWidget(toastRow_);

    observations_.watch({store_.timer, store_.now, store_.tasks}, [this] { refresh(); });
    setMetrics(metrics_);
}

void CollapsedView::setMetrics(const ScreenMetrics& metrics) {
    metrics_ = metrics;
    mainRow_->setFixedHeight(static_cast<int>(std::lround(metrics.topHeight)));
    notchGap_->changeSize(static_cast<int>(std::lround(metrics.notchWidth)), 0, QSizePolicy::Expanding,
                          QSizePolicy::Minimum);
    mainLayout_->invalidate();
    content_ = CollapsedContent{}; // forces a full refresh
    refresh();
}

void CollapsedView::refresh() {
    const CollapsedContent next = collapsedContent(store_, metrics_);
    if (next == content_) return;
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
    content_ = next;
}

void CollapsedView::showToast(const std::string& icon, const std::string& text, const QColor& tint) {
    toastIcon_->setText(Symbols::glyph(icon));
    toastIcon_->setColor(tint);
    toastText_->setText(QString::fromStdString(text));
    // Through its presence: a plain show() would leave the row painted at opacity 0.
    Presence::of(toastRow_)->setPresent(true);
}

void CollapsedView::hideToast() {
    Presence::of(toastRow_)->setPresent(false);
}

} // namespace vesk
