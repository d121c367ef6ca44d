#include "shell/views/TarnelView.hpp"

#include "shell/anim/Presence.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/ThemedMenu.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/theme/Theme.hpp"
#include "shell/views/CollapsedView.hpp"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace vesk {

TarnelView::TarnelView(TarnelUI& ui, QWidget* expandedContent, MenuServices menuServices, QWidget* parent)
    : QWidget(parent), ui_(ui), menuServices_(std::move(menuServices)),
      collapsed_(new CollapsedView(ui, this)), expanded_content_(expandedContent),
      shape_(shapeFor(false), [this] {
          update();
          clipContent();
          if (onShapeChanged_) onShapeChanged_();
      }) {
    expanded_content_->setParent(this);
    // The collapsed content comes in late and fast; the expanded content a little sooner.
    new Presence(collapsed_, Transition::fade().animated(Animation::easeOut(0.2).delayed(0.12)),
                 Transition::fade().animated(Animation::easeIn(0.08)));
    new Presence(expanded_content_, Transition::fade().animated(Animation::easeOut(0.22).delayed(0.08)),
                 Transition::fade().animated(Animation::easeIn(0.1)));
    Presence::of(expanded_content_)->setPresent(false);
    expanded_content_->installEventFilter(this);
    expanded_.bind(
        {ui_.expanded}, [this] { return ui_.expanded.get(); },
        [this](const ContentChange<bool>& change) { setExpanded(change.now); });
}

NotchShape TarnelView::shapeFor(bool expanded) {
    return expanded ? NotchShape{24, 19} : NotchShape{14, 6};
}

void TarnelView::setExpanded(bool expanded) {
    withAnimation(expanded ? Animation::tarnelOpen : Animation::tarnelClose, [&] {
        shape_.set(shapeFor(expanded));
        Presence::of(collapsed_)->setPresent(!expanded);
        Presence::of(expanded_content_)->setPresent(expanded);
    });
    if (expanded) expanded_content_->raise();
}

void TarnelView::resizeEvent(QResizeEvent*) {
    layoutContent();
}

bool TarnelView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == expanded_content_ && event->type() == QEvent::Resize) layoutContent();
    return QWidget::eventFilter(watched, event);
}

void TarnelView::layoutContent() {
    // The pill fills the tarnel; the expanded content keeps its full size while the outline
    // grows, so that it never reflows during the animation, and stays centred in it.
    collapsed_->setGeometry(0, 0, width(), height());
    expanded_content_->move((width() - expanded_content_->width()) / 2, 0);
    clipContent();
}

const QPainterPath& TarnelView::outline() {
    // The clock and the breathing dot redraw small parts of a resting outline many times.
    const QRectF bounds = rect();
    if (bounds != outlineBounds_ || shape_.value() != outlineShape_) {
        outlineBounds_ = bounds;
        outlineShape_ = shape_.value();
        outline_ = outlineShape_.path(bounds);
    }
    return outline_;
}

void TarnelView::clipContent() {
    // The outline cuts the content as it cuts the black: while it grows round the content,
    // which keeps its full size, nothing of it shows beside the outline.
    const QRegion inside(outline().toFillPolygon().toPolygon());
    expanded_content_->setMask(inside.translated(-expanded_content_->pos()));
}

void TarnelView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Away from the curves the outline covers every pixel: a part redrawn there is a plain fill.
    const NotchShape shape = shape_.value();
    const double curves = shape.flare + shape.bottomRadius + 1;
    if (QRectF(rect()).adjusted(curves, 1, -curves, -curves).contains(QRectF(event->rect()))) {
        painter.fillRect(event->rect(), Theme::tarnel());
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(outline(), Theme::tarnel());
    painter.fillRect(QRectF(6, 0, width() - 12, 1), Theme::tarnel());
}

void TarnelView::mousePressEvent(QMouseEvent* event) {
    if (!expanded_.content() && event->button() == Qt::LeftButton && onClick_) {
        onClick_();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void TarnelView::contextMenuEvent(QContextMenuEvent* event) {
    if (expanded_.content()) return QWidget::contextMenuEvent(event);
    ThemedMenu menu(tarnelMenuItems(ui_.store, TarnelMenu::pill, menuServices_), this);
    menu.exec(event->globalPos());
}

} // namespace vesk
