#include "garden/bonsai/RevealSatellite.hpp"

#include "garden/bonsai/BonsaiSceneView.hpp"
#include "render/engine/BonsaiEngine.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/SymbolLabel.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>
#include <cmath>

namespace vesk {

namespace {

NotchShape shapeOf(bool visible) {
    return visible ? NotchShape{24, 12} : NotchShape{0, 0};
}

} // namespace

RevealSatellite::RevealSatellite(TarnelUI& ui, BonsaiEngine& engine, SceneFrames& frames, QWidget* parent)
    : QWidget(parent), ui_(ui), size_(QSizeF(0, 0), [this] { resizeToPanel(); }),
      shape_(shapeOf(false), [this] { reshape(); }), shadow_(0.0, [this] { update(); }) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    view_ =
        new BonsaiSceneView(engine, engine.revealCameraNode(), BonsaiSceneView::Input::passesThrough, frames);
    view_->setCornerRadius(16);
    column_ = makeColumn();
    // Fades in a moment after the panel starts to open.
    new Presence(column_, Transition::fade().animated(Animation::easeOut(0.25).delayed(0.1)));

    content_.bind(
        {ui_.reveal, ui_.expanded, ui_.metrics},
        [this] {
            return BonsaiContent::revealPanel(ui_.reveal.get(), ui_.expanded.get(),
                                              ui_.metrics.get().topHeight);
        },
        [this](const ContentChange<BonsaiContent::RevealPanel>& change) { apply(change); });
    resizeToPanel();
}

QWidget* RevealSatellite::makeColumn() {
    auto* column = new QWidget(this);
    column->setFixedSize(static_cast<int>(BonsaiContent::revealWidth),
                         static_cast<int>(BonsaiContent::revealHeight));
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(22, 14, 22, 0);
    layout->setSpacing(10);
    view_->setParent(column);
    view_->setFixedHeight(204);
    layout->addWidget(view_);

    auto* counts = new QHBoxLayout;
    counts->setContentsMargins(4, 0, 4, 0);
    counts->setSpacing(8);
    grown_ =
        new TextLabel({}, Fonts::text(26, FontWeight::light, FontDesign::serif), Theme::accent(), column);
    grown_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    counts->addWidget(grown_, 0, Qt::AlignVCenter);
    auto* labels = new QVBoxLayout;
    labels->setSpacing(1);
    grownLabel_ = new TextLabel({}, Fonts::text(11.5, FontWeight::medium), Theme::text(), column);
    total_ = new TextLabel({}, Fonts::text(10.5, FontWeight::regular, FontDesign::rounded), Theme::text3(),
                           column);
    total_->setTabularDigits(true);
    labels->addWidget(grownLabel_);
    labels->addWidget(total_);
    counts->addLayout(labels, 1);
    layout->addLayout(counts);

    unlocked_ = new QWidget(column);
    auto* unlocked = new QHBoxLayout(unlocked_);
    unlocked->setContentsMargins(4, 0, 4, 0);
    unlocked->setSpacing(5);
    unlocked->addWidget(new SymbolLabel("sparkles", 10, Theme::star(), unlocked_), 0, Qt::AlignVCenter);
    unlocked->addWidget(new TextLabel(QStringLiteral("New seedling unlocked"),
                                      Fonts::text(11.5, FontWeight::medium), Theme::star(), unlocked_),
                        1, Qt::AlignVCenter);
    unlocked_->hide();
    new Presence(unlocked_, Transition::fade());
    layout->addWidget(unlocked_);
    layout->addStretch(1);
    return column;
}

void RevealSatellite::apply(const ContentChange<BonsaiContent::RevealPanel>& change) {
    const BonsaiContent::RevealPanel& next = change.now;
    if (next.visible) {
        grown_->setText(QString::fromStdString(next.grown));
        grownLabel_->setText(QString::fromStdString(next.grownLabel));
        total_->setText(QString::fromStdString(next.total));
    }
    Presence::of(unlocked_)->setPresent(next.unlocked);
    const auto follow = [&] {
        size_.set(QSizeF(next.width, next.height));
        shape_.set(shapeOf(next.visible));
        shadow_.set(next.visible ? 0.6 : 0.0);
    };
    if (!change.before) { // the panel starts as the state stands
        withoutAnimation(follow);
        column_->setVisible(next.visible);
    } else if (change.changed(&BonsaiContent::RevealPanel::visible)) {
        withAnimation(next.visible ? Animation::tarnelOpen : Animation::tarnelClose, follow);
    } else {
        follow();
    }
    Presence::of(column_)->setPresent(next.visible);
}

void RevealSatellite::resizeToPanel() {
    const QSizeF s = size_.value();
    const int w = static_cast<int>(std::ceil(s.width())), h = static_cast<int>(std::ceil(s.height()));
    resize(w > 0 ? w + static_cast<int>(shadowMargin) : 0, h + static_cast<int>(shadowMargin));
    reshape();
}

QPainterPath RevealSatellite::outline() const {
    return shape_.value().path(QRectF(QPointF(0, 0), size_.value()));
}

void RevealSatellite::reshape() {
    // The content keeps its full size while the outline grows round it and shrinks away
    // from it: the outline cuts it as it cuts the black, the 3D picture included.
    column_->setMask(QRegion(outline().toFillPolygon().toPolygon()).translated(-column_->pos()));
    update();
    outlineChanged();
}

void RevealSatellite::paintEvent(QPaintEvent*) {
    const QSizeF s = size_.value();
    if (s.width() <= 0.5) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath outline = this->outline();
    // A soft dark edge: outlines widening outwards, each fainter.
    const double shadow = shadow_.value();
    if (shadow > 0.001) {
        painter.setBrush(Qt::NoBrush);
        for (int ring = 1; ring <= 5; ++ring) {
            const double fade = 1.0 - ring / 6.0;
            painter.setPen(
                QPen(QColor::fromRgbF(0, 0, 0, static_cast<float>(shadow * fade * 0.35)), 2.0 * ring));
            painter.drawPath(outline);
        }
    }
    painter.fillPath(outline, Theme::tarnel());
}

} // namespace vesk
