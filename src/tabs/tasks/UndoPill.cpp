#include "tabs/tasks/UndoPill.hpp"

#include "core/store/Store.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/anim/PresencePainter.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/PlainButton.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <QEvent>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QTextBoundaryFinder>
#include <cmath>
#include <vector>

namespace vesk {

namespace {

// Room around the capsule for its shadow; below it, the gap that keeps it off the edge.
constexpr int shadowRoom = 10;
constexpr int gapBelow = 4;
constexpr double shadowRadius = 8;
constexpr double shadowDrop = 2;
constexpr int padding = 14;
constexpr int spacing = 10;

// Where the characters the user sees end, so that a cut never splits an emoji or an accent.
std::vector<qsizetype> graphemeEnds(const QString& text) {
    std::vector<qsizetype> ends;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    while (finder.toNextBoundary() > 0)
        ends.push_back(finder.position());
    return ends;
}

} // namespace

QString fittedUndoLabel(const QString& label, const QFontMetricsF& metrics, double width) {
    if (std::ceil(metrics.horizontalAdvance(label)) <= width) return label;
    const QString ellipsis = QStringLiteral("\u2026");
    // The name sits between the quotes; a label without them loses its end.
    const qsizetype open = label.indexOf(QChar(0x201C));
    const qsizetype close = label.lastIndexOf(QChar(0x201D));
    const bool quoted = open >= 0 && close > open;
    const qsizetype keepFrom = quoted ? open + 1 : 0;
    const QString tail = ellipsis + (quoted ? label.mid(close) : QString());
    const QString body = label.left(quoted ? close : label.size());
    // The longest start that fits; the opening words and quote stay even when nothing fits.
    QString best = body.left(keepFrom) + tail;
    for (const qsizetype end : graphemeEnds(body)) {
        if (end <= keepFrom) continue;
        QString candidate = body.left(end) + tail;
        if (std::ceil(metrics.horizontalAdvance(candidate)) > width) break;
        best = std::move(candidate);
    }
    return best;
}

UndoPill::UndoPill(Store& store, QWidget* parent) : QWidget(parent), store_(store) {
    auto* row = new QHBoxLayout(this);
    row->setSpacing(spacing);
    row->setContentsMargins(shadowRoom + padding, shadowRoom + 8, shadowRoom + padding, gapBelow + 8);
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
    return text_;
}

void UndoPill::follow() {
    const auto& text = store_.undoLabel.get();
    // While leaving it keeps saying what it offered.
    if (text) {
        text_ = QString::fromStdString(*text);
        fit();
        raise();
    }
    Presence::of(this)->setPresent(text.has_value());
}

void UndoPill::fit() {
    const QWidget* parent = parentWidget();
    // The capsule with its shadow spans at most the parent; the label gives way, never "Undo".
    const int room = parent ? parent->width() : QWIDGETSIZE_MAX;
    const int around = 2 * (shadowRoom + padding) + spacing + undo_->sizeHint().width();
    label_->setText(fittedUndoLabel(text_, QFontMetricsF(Fonts::text(12)), room - around));
    adjustSize();
    if (parent) move((parent->width() - width()) / 2, parent->height() - height());
}

bool UndoPill::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) fit();
    return QWidget::eventFilter(watched, event);
}

void UndoPill::paintEvent(QPaintEvent*) {
    PresencePainter p(this);
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
