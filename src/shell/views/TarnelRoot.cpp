#include "shell/views/TarnelRoot.hpp"

#include "core/store/Store.hpp"
#include "shell/views/DrawnOutline.hpp"
#include "shell/views/TarnelView.hpp"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace vesk {

TarnelRoot::TarnelRoot(TarnelUI& ui, TarnelView* tarnel, QWidget* parent)
    : QWidget(parent), tarnel_(tarnel), size_(QSizeF(112, 30), [this] { place(); }),
      shadowOpacity_(0, [this] { update(); }) {
    tarnel_->setParent(this);
    tarnel_->setOnShapeChanged([this] { outlineChanged(); });
    setAttribute(Qt::WA_TranslucentBackground);
    place();
    outline_.bind(
        {ui.expanded, ui.hovering, ui.metrics, ui.toast, ui.tab, ui.tour, ui.gardenOpen, ui.store.timer},
        [&ui] {
            return Outline{ui.expanded.get(), ui.hovering.get(), ui.size()};
        },
        [this](const ContentChange<Outline>& change) { follow(change); });
}

void TarnelRoot::follow(const ContentChange<Outline>& change) {
    const Outline& now = change.now;
    if (change.changed(&Outline::expanded) || change.changed(&Outline::hovering)) {
        shadowRadius_ = now.expanded ? haloPoints : 5;
        shadowOpacity_.set(now.expanded || now.hovering ? 0.7 : 0.0);
    }
    // Opening and closing move the outline with their own springs (closing never overshoots);
    // every other change of size with the tarnel spring.
    const QSizeF size(now.size.width, now.size.height);
    if (!change.before)
        setTarnelSize(size);
    else if (change.changed(&Outline::expanded))
        setTarnelSize(size, now.expanded ? Animation::tarnelOpen : Animation::tarnelClose);
    else if (change.changed(&Outline::size))
        setTarnelSize(size, Animation::tarnel);
}

void TarnelRoot::setTarnelSize(QSizeF size, std::optional<Animation> animation) {
    if (animation)
        size_.animate(size, *animation);
    else
        size_.jump(size);
}

void TarnelRoot::setSatellite(QWidget* satellite) {
    satellite_ = satellite;
    satellite_->setParent(this);
    if (auto* outlined = dynamic_cast<DrawnOutline*>(satellite_))
        outlined->setOnOutlineChanged([this] { outlineChanged(); });
    place();
}

QPainterPath TarnelRoot::drawnOutline() const {
    QPainterPath drawn = tarnel_->shape().path(tarnelFrame());
    if (satellite_ && satellite_->width() > 0) {
        const auto* outlined = dynamic_cast<const DrawnOutline*>(satellite_);
        QPainterPath beside;
        if (outlined)
            beside = outlined->outline();
        else
            beside.addRect(satellite_->rect());
        drawn.addPath(beside.translated(satellite_->pos()));
    }
    return drawn;
}

QRectF TarnelRoot::tarnelFrame() const {
    const QSizeF s = size_.value();
    return {width() / 2.0 - s.width() / 2, 0, s.width(), s.height()};
}

void TarnelRoot::resizeEvent(QResizeEvent*) {
    place();
}

void TarnelRoot::place() {
    const QRectF frame = tarnelFrame();
    tarnel_->setGeometry(frame.toAlignedRect());
    if (satellite_) satellite_->move(static_cast<int>(std::lround(frame.right() + 10)), 0);
    update();
    outlineChanged();
}

void TarnelRoot::outlineChanged() const {
    if (onOutlineChanged_) onOutlineChanged_();
}

void TarnelRoot::paintEvent(QPaintEvent* event) {
    const double opacity = shadowOpacity_.value();
    if (opacity <= 0.001) return;
    // The halo reaches no further into the tarnel than its radius past the outline's curves;
    // a clock or a dial redrawn well inside would otherwise stroke the whole outline ten times.
    const NotchShape shape = tarnel_->shape();
    const double reach = shadowRadius_ + shape.flare + shape.bottomRadius;
    if (tarnelFrame().adjusted(reach, reach, -reach, -reach).contains(QRectF(event->rect()))) return;
    // A soft black halo, strongest at the tarnel's edge; painted, since an effect over the
    // subtree would also redraw the 3D views inside.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath outline = tarnel_->shape().path(tarnelFrame());
    const int steps = static_cast<int>(shadowRadius_);
    painter.setBrush(Qt::NoBrush);
    for (int i = steps; i >= 1; --i) {
        const double fade = 1.0 - static_cast<double>(i) / (steps + 1);
        painter.setPen(
            QPen(QColor::fromRgbF(0, 0, 0, static_cast<float>(opacity * fade * fade / steps * 2.5)), 2.0 * i,
                 Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(outline);
    }
}

} // namespace vesk
