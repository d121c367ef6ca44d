#include "shell/controls/PulseDot.hpp"

#include "shell/anim/PresencePainter.hpp"
#include "shell/anim/Transaction.hpp"

#include <QPainter>

namespace vesk {

PulseDot::PulseDot(const QColor& color, State state, QWidget* parent, AnimationManager* manager)
    : QWidget(parent), color_(color), running_(state == State::running),
      opacity_(
          running_ ? 0.35 : 0.5, [this] { update(); }, manager) {
    setFixedSize(sizeHint());
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // A breath lasts almost a second and goes on for as long as a stopwatch runs: a few
    // redraws a second show it; sixty would keep the CPU busy all day.
    opacity_.setFrameRate(breathFrameRate);
}

void PulseDot::setColor(const QColor& color) {
    if (color_ == color) return;
    color_ = color;
    update();
}

void PulseDot::setRunning(bool running) {
    if (running_ == running) return;
    running_ = running;
    applyState();
}

void PulseDot::showEvent(QShowEvent*) {
    if (on_) return;
    on_ = true;
    applyState();
}

void PulseDot::applyState() {
    if (!running_) {
        withAnimation(Animation::standard, [&] { opacity_.set(0.5); });
        return;
    }
    // Breathing runs from the dim end, so that the first breath is a full one.
    withoutAnimation([&] { opacity_.set(0.35); });
    if (on_) withAnimation(Animation::easeInOut(0.9).repeatingForever(true), [&] { opacity_.set(1.0); });
}

void PulseDot::paintEvent(QPaintEvent*) {
    PresencePainter painter(this);
    painter.setOpacity(painter.opacity() * opacity_.value());
    painter.setPen(Qt::NoPen);
    painter.setBrush(color_);
    painter.drawEllipse(QRectF(0, 0, diameter, diameter));
}

} // namespace vesk
