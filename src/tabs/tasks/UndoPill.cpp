#include "tabs/tasks/UndoPill.hpp"

#include "core/store/Store.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/PlainButton.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

namespace vesk {

namespace {

// Room around the capsule for its shadow; below it, the gap that keeps it off the edge.
constexpr int shadowRoom = 10;
constexpr int gapBelow = 4;
constexpr double shadowRadius = 8;
constexpr double shadowDrop = 2;

} // namespace

UndoPill::UndoPill(Store& store, QWidget* parent) : QWidget(parent), store_(store) {
    auto* row = new QHBoxLayout(this);
    row->setSpacing(10);
    row->setContentsMargins(shadowRoom + 14, shadowRoom + 8, shadowRoom + 14, gapBelow + 8);
    label_ = new TextLabel({}, Fonts::text(12), Theme::text(), this);
    undo_ = new PlainButton(this);
    undo_->setText("Undo");
    undo_->setFont(Fonts::text(12, FontWeight::semibold));
    undo_->setColors(Theme::accent(), Theme::accent());
    undo_->setFills(Qt::transparent, Qt::transparent);
    undo_->setPadding({});
    undo_->setAction([this] { withAnimation(Animation::tarnelFast, [this] { store_.undo(); }); });
    row->addWidget(label_);
    row->addWidget(undo_);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    if (parent) parent->installEventFilter(this);
    hide();
    new Presence(this, Transition::move(0, 1).combined(Transition::fade()));
    observations_.watch(store_.undoLabel, [this] { follow(); });
    follow();
}

const QString& UndoPill::label() const {
    return label_->text();
}

void UndoPill::follow() {
    const auto& text = store_.undoLabel.get();
    // While leaving it keeps saying what it offered.
    if (text) {
        label_->setText(QString::fromStdString(*text));
        adjustSize();
        place();
        raise();
    }
    Presence::of(this)->setPresent(text.has_value());
}

void UndoPill::place() {
    if (const QWidget* parent = parentWidget())
        move((parent->width() - width()) / 2, parent->height() - height());
}

bool UndoPill::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) place();
    return QWidget::eventFilter(watched, event);
}

void UndoPill::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    Presence::apply(p, this);
    const QRectF capsule = QRectF(rect()).adjusted(shadowRoom, shadowRoom, -shadowRoom, -gapBelow);
    const double radius = capsule.height() / 2;
    // A soft shadow: rings of faint black that add up towards the capsule.
    const int rings = static_cast<int>(shadowRadius);
    for (int i = rings; i >= 1; --i) {
        const double grow = i;
        const double weight = 1.0 - static_cast<double>(i) / (rings + 1);
        QPainterPath ring;
        ring.addRoundedRect(capsule.adjusted(-grow, -grow + shadowDrop, grow, grow + shadowDrop),
                            radius + grow, radius + grow);
        p.fillPath(ring, QColor::fromRgbF(0, 0, 0, static_cast<float>(0.5 * weight * weight / 3)));
    }
    QPainterPath shape;
    shape.addRoundedRect(capsule, radius, radius);
    p.fillPath(shape, QColor::fromRgbF(0.16f, 0.16f, 0.16f));
}

} // namespace vesk
