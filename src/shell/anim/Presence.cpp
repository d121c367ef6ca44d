#include "shell/anim/Presence.hpp"

#include "shell/anim/Transaction.hpp"

#include <QPainter>

namespace vesk {

namespace {

// Shown unless someone hid it; a child of a window not yet on screen counts as shown.
bool shownByItsOwner(const QWidget* view) {
    return !(view->testAttribute(Qt::WA_WState_ExplicitShowHide) &&
             view->testAttribute(Qt::WA_WState_Hidden));
}

} // namespace

Presence::Presence(QWidget* view, Transition insertion, Transition removal, AnimationManager* manager)
    : QObject(view), view_(view), insertion_(insertion), removal_(removal), present_(shownByItsOwner(view)),
      amount_(present_ ? 1.0 : 0.0, {}, manager) {
    amount_.setOnChange([this] { changed(); });
}

Presence* Presence::of(const QWidget* view) {
    return view ? view->findChild<Presence*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void Presence::setPresent(bool present) {
    if (present == present_) return;
    present_ = present;
    const Transition& transition = present ? insertion_ : removal_;
    view_->setAttribute(Qt::WA_TransparentForMouseEvents, !present);
    if (present) view_->show();
    const double goal = present ? 1.0 : 0.0;
    if (transition.animation)
        amount_.animate(goal, *transition.animation);
    else
        amount_.set(goal);
}

Transition Presence::look() const {
    return (present_ ? insertion_ : removal_).at(amount_.value());
}

void Presence::changed() {
    if (!present_ && !amount_.isAnimating() && amount_.value() <= 0.0 && !view_->isHidden()) {
        view_->hide();
        if (onRemoved_) onRemoved_();
        return;
    }
    view_->update();
}

PaintEffect Presence::effectFor(const QWidget* view) {
    PaintEffect effect;
    QPoint offset; // of `view` within the ancestor being looked at
    for (const QWidget* w = view; w; w = w->parentWidget()) {
        if (const Presence* presence = of(w)) {
            const Transition t = presence->look();
            const QSizeF size = w->size();
            const QPointF anchor(t.anchorX * size.width(), t.anchorY * size.height());
            // In the ancestor's coordinates: scale about its anchor, then shift; expressed
            // in the view's coordinates by moving there and back by the offset.
            QTransform step;
            step.translate(-offset.x(), -offset.y());
            step.translate(t.offsetX * size.width(), t.offsetY * size.height());
            step.translate(anchor.x(), anchor.y());
            step.scale(t.scale, t.scale);
            step.translate(-anchor.x(), -anchor.y());
            step.translate(offset.x(), offset.y());
            effect.transform = effect.transform * step;
            effect.opacity *= t.opacity;
        }
        if (w->isWindow()) break;
        offset += w->pos();
    }
    return effect;
}

void Presence::apply(QPainter& painter, const QWidget* view) {
    const PaintEffect effect = effectFor(view);
    painter.setOpacity(painter.opacity() * effect.opacity);
    painter.setWorldTransform(effect.transform, true);
}

} // namespace vesk
