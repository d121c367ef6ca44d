#include "shell/anim/Presence.hpp"

#include "shell/anim/Transaction.hpp"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

namespace vesk {

namespace {

// Shown unless someone hid it; a child of a window not yet on screen counts as shown.
bool shownByItsOwner(const QWidget* view) {
    return !(view->testAttribute(Qt::WA_WState_ExplicitShowHide) &&
             view->testAttribute(Qt::WA_WState_Hidden));
}

// A widget of Qt's own that paints itself (a text field, a scroll area and its bars, a label, a
// button, a menu: the kinds the tarnel holds) and so knows nothing of our painted opacity.
// Ours derive from QWidget itself.
bool isStock(const QWidget* widget) {
    return qobject_cast<const QFrame*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QAbstractSlider*>(widget) ||
           qobject_cast<const QMenu*>(widget);
}

bool holdsStockWidgets(const QWidget* view) {
    if (isStock(view)) return true;
    const auto children = view->findChildren<QWidget*>();
    return std::any_of(children.begin(), children.end(),
                       [view](const QWidget* child) { return child->isVisibleTo(view) && isStock(child); });
}

// What a view shows of itself while its picture stands in: nothing. It stays where it is,
// laid out and moving, so that what it holds still knows what of it is in sight.
const QRegion unseen(-1, -1, 1, 1);

// The view as it paints itself, over nothing: `grab` would lay the window's background under it.
QPixmap pictureOf(QWidget* view) {
    const qreal ratio = view->devicePixelRatioF();
    QPixmap picture(view->size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    view->render(&picture, QPoint(), QRegion(), QWidget::DrawChildren | QWidget::IgnoreMask);
    return picture;
}

// The look as a transform of the view's rectangle into its parent, from where the parent put it.
QTransform lookTransform(const Transition& look, QPoint base, QSize size) {
    const QPointF anchor(look.anchorX * size.width(), look.anchorY * size.height());
    QTransform transform;
    transform.translate(base.x() + look.offsetX * size.width(), base.y() + look.offsetY * size.height());
    transform.translate(anchor.x(), anchor.y());
    transform.scale(look.scale, look.scale);
    transform.translate(-anchor.x(), -anchor.y());
    return transform;
}

// The picture of a view on its way, drawn with the view's look; a sibling just under the
// view, covering where the picture lands.
class StandIn final : public QWidget {
  public:
    explicit StandIn(QWidget* view) : QWidget(view->parentWidget()) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        stackUnder(view);
    }

    void setPicture(QPixmap picture) { picture_ = std::move(picture); }

    // `transform` takes the view's rectangle into the parent.
    void setLook(const QTransform& transform, double opacity, QSize viewSize) {
        const QRect covered = transform.mapRect(QRectF(QPointF(), viewSize)).toAlignedRect();
        QTransform local = transform;
        local *= QTransform::fromTranslate(-covered.x(), -covered.y());
        if (covered == geometry() && local == transform_ && opacity == opacity_) return;
        transform_ = local;
        opacity_ = opacity;
        setGeometry(covered);
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (picture_.isNull() || opacity_ <= 0) return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        Presence::apply(painter, this);
        painter.setOpacity(painter.opacity() * opacity_);
        painter.setTransform(transform_, true);
        painter.drawPixmap(QPointF(), picture_);
    }

  private:
    QPixmap picture_;
    QTransform transform_;
    double opacity_ = 1.0;
};

} // namespace

Presence::Presence(QWidget* view, Transition insertion, Transition removal, AnimationManager* manager)
    : QObject(view), view_(view), insertion_(insertion), removal_(removal), present_(shownByItsOwner(view)),
      amount_(present_ ? 1.0 : 0.0, {}, manager), placedAt_(view->pos()) {
    amount_.setOnChange([this] { changed(); });
    view->installEventFilter(this);
}

void Presence::attach(QWidget* view, Transition both, Arrival arrival) {
    const bool arriving = arrival == Arrival::animated;
    if (arriving) view->hide();
    auto* presence = new Presence(view, both);
    if (arriving) presence->setPresent(true);
}

Presence::~Presence() {
    // The view itself may be half destroyed by now (its presence goes with its children).
    delete standIn_.data();
}

Presence* Presence::of(const QWidget* view) {
    return view ? view->findChild<Presence*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void Presence::setPresent(bool present) {
    if (present == present_) return;
    present_ = present;
    whole_ = false;
    const Transition& transition = present ? insertion_ : removal_;
    view_->setAttribute(Qt::WA_TransparentForMouseEvents, !present);
    if (present) view_->show();
    const double goal = present ? 1.0 : 0.0;
    if (transition.animation)
        amount_.animate(goal, *transition.animation);
    else
        amount_.set(goal);
}

void Presence::dismiss() {
    QWidget* view = view_;
    setOnRemoved([view] { view->deleteLater(); });
    setPresent(false);
}

void Presence::releaseFocus(QWidget* view) {
    // While all of the view still stands: typing must not reach it, and a field that kept the
    // focus until its destructor would report the change to views already half destroyed.
    QWidget* focused = QApplication::focusWidget();
    if (focused && (focused == view || view->isAncestorOf(focused))) focused->clearFocus();
}

Transition Presence::look() const {
    Transition look = (present_ ? insertion_ : removal_).at(amount_.value());
    if (whole_) {
        look.opacity = 1.0;
        look.scale = 1.0;
    }
    return look;
}

void Presence::changed() {
    if (!present_ && !amount_.isAnimating() && amount_.value() <= 0.0 && !view_->isHidden()) {
        // Hidden first, so that it never shows for a moment back in its place; without the
        // keyboard before, which hiding would hand to the next field of the window (the
        // arriving screen's title).
        releaseFocus(view_);
        view_->hide();
        place(Picture::kept);
        if (onRemoved_) onRemoved_();
        return;
    }
    place(Picture::fresh);
}

bool Presence::needsPicture(const Transition& look) const {
    if (!view_->parentWidget()) return false;
    const bool scales = look.scale != 1.0;
    if (look.opacity >= 1.0 && !scales) return false;
    // A container that scales would move its children out of their own rectangles.
    if (scales && view_->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) return true;
    return holdsStockWidgets(view_);
}

void Presence::place(Picture picture) {
    if (view_->isHidden()) {
        // Nothing shows: it waits where its parent put it.
        hidePicture();
        moveView({});
        return;
    }
    const Transition look = this->look();
    const QSize size = view_->size();
    const QPoint slide(qRound(look.offsetX * size.width()), qRound(look.offsetY * size.height()));
    moveView(slide);
    if (!needsPicture(look)) {
        hidePicture();
        view_->update(); // painted opacity and scale
        return;
    }
    // Nothing to see at opacity 0.
    showPicture(look.opacity > 0 && (picture == Picture::fresh || !standIn_) ? Picture::fresh
                                                                             : Picture::kept);
    static_cast<StandIn*>(standIn_.data())
        ->setLook(lookTransform(look, view_->pos() - shift_, size), look.opacity, size);
}

void Presence::hidePicture() {
    watchPresses(false);
    if (!standIn_) return;
    delete standIn_.data();
    view_->clearMask();
}

void Presence::showPicture(Picture picture) {
    watchPresses(present_);
    if (!standIn_) {
        standIn_ = new StandIn(view_);
        view_->setMask(unseen);
        // Known before it shows: showing may have the parent's layout place the view anew.
        standIn_->show();
    }
    // Taken once the stand-in exists: painted descendants then leave this presence's look to
    // the stand-in instead of drawing it into the picture too.
    if (picture == Picture::fresh) static_cast<StandIn*>(standIn_.data())->setPicture(pictureOf(view_));
}

void Presence::watchPresses(bool watch) {
    // The window hands a press to the widget under it, and a view masked behind its picture is
    // not there: the window's presses are seen first.
    QWindow* window = watch ? view_->window()->windowHandle() : nullptr;
    if (window == pressesOf_) return;
    if (pressesOf_) pressesOf_->removeEventFilter(this);
    pressesOf_ = window;
    if (window) window->installEventFilter(this);
}

void Presence::moveView(QPoint shift) {
    const QPoint base = view_->pos() - shift_;
    shift_ = shift;
    placedAt_ = base + shift;
    if (view_->pos() != placedAt_) view_->move(placedAt_);
}

bool Presence::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pressesOf_ &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        // Not while it is still unseen (a delayed fade): only what shows takes the press.
        if (look().opacity > 0 && view_->rect().contains(view_->mapFrom(view_->window(), at))) {
            whole_ = true;
            place(Picture::kept);
        }
        return false;
    }
    const bool resized = event->type() == QEvent::Resize;
    if (watched != view_ || !(resized || event->type() == QEvent::Move) || view_->isHidden())
        return QObject::eventFilter(watched, event);
    // Placed anew by its parent (a layout, a list moving its rows): that place is where it
    // belongs now. A coordinate the parent kept as it was is still displaced by us (a row
    // moved down keeps the x it was given).
    const QPoint pos = view_->pos();
    const bool placedAnew = pos != placedAt_;
    if (placedAnew) {
        shift_ = QPoint(pos.x() == placedAt_.x() ? shift_.x() : 0, pos.y() == placedAt_.y() ? shift_.y() : 0);
        placedAt_ = pos;
    }
    // The picture is taken afresh on the next frame (taking it here would recurse: a picture
    // of a view not on screen delivers its pending resize first).
    const bool onTheWay = amount_.isAnimating() || amount_.value() < 1.0;
    if ((placedAnew || resized) && onTheWay) place(Picture::kept);
    return QObject::eventFilter(watched, event);
}

PaintEffect Presence::effectFor(const QWidget* view) {
    PaintEffect effect;
    for (const QWidget* w = view; w; w = w->parentWidget()) {
        if (const Presence* presence = of(w)) {
            // Its picture carries its look and that of everything above it.
            if (presence->showsPicture()) break;
            const Transition t = presence->look();
            effect.opacity *= t.opacity;
            if (w == view && t.scale != 1.0) {
                const QPointF anchor(t.anchorX * w->width(), t.anchorY * w->height());
                effect.transform.translate(anchor.x(), anchor.y());
                effect.transform.scale(t.scale, t.scale);
                effect.transform.translate(-anchor.x(), -anchor.y());
            }
        }
        if (w->isWindow()) break;
    }
    return effect;
}

void Presence::apply(QPainter& painter, const QWidget* view) {
    const PaintEffect effect = effectFor(view);
    painter.setOpacity(painter.opacity() * effect.opacity);
    painter.setWorldTransform(effect.transform, true);
}

} // namespace vesk
