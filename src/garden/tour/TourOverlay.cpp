#include "garden/tour/TourOverlay.hpp"

#include "garden/tour/TourButtons.hpp"
#include "shell/anim/PresencePainter.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/PlainButton.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/controls/WrappedText.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/state/TourAnchor.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QMargins>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

constexpr double holeRadius = 10;
constexpr double ringWidth = 1.5;
// The bubble's card sits inside its frame by these margins, which its shadow falls in.
constexpr QMargins shadowMargins{12, 8, 12, 16};
constexpr int cardPadding = 14;
constexpr double cardRadius = 14;
constexpr int dotCount = 5;

QRectF toQt(const TourRect& r) {
    return {r.x, r.y, r.width, r.height};
}

// The bubble's card: near-black, a faint accent border and a soft shadow below.
class BubbleCard final : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        // It fades with the overlay: whole only once the spotlight has arrived.
        PresencePainter painter(this);
        const QRectF card = QRectF(rect()).marginsRemoved(QMarginsF(shadowMargins));
        // The shadow, 4 down, blurred over 12: its darkness spread over its layers.
        constexpr int blur = 12, layers = blur / 2;
        QColor shade = Theme::shadow();
        shade.setAlpha(int(shade.alphaF() * 255 / layers));
        for (int i = blur; i > 0; i -= 2) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(shade);
            painter.drawRoundedRect(card.translated(0, 4).adjusted(-i / 2.0, -i / 2.0, i / 2.0, i / 2.0),
                                    cardRadius + i / 2.0, cardRadius + i / 2.0);
        }
        painter.setBrush(Theme::bubble());
        painter.drawRoundedRect(card, cardRadius, cardRadius);
        QColor border = Theme::accent();
        border.setAlphaF(0.45f);
        painter.setPen(QPen(border, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), cardRadius - 0.5, cardRadius - 0.5);
    }
};

// A progress dot: a capsule, wide and green when lit.
class TourDot final : public QWidget {
  public:
    static constexpr int height = 5;

    TourDot(bool lit, QWidget* parent) : QWidget(parent), lit_(lit) {
        setFixedSize(lit ? 12 : height, height);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        PresencePainter painter(this);
        painter.setPen(Qt::NoPen);
        painter.setBrush(lit_ ? Theme::accent() : Theme::surfaceHi());
        painter.drawRoundedRect(QRectF(rect()), height / 2.0, height / 2.0);
    }

  private:
    bool lit_;
};

} // namespace

TourOverlay::TourOverlay(TarnelUI& ui, QWidget* parent)
    : QWidget(parent), ui_(ui), pulse_(0.0, [this] {
          track();
          update();
      }) {
    bubble_ = new BubbleCard(this);
    // The card's own margins leave room for its shadow; the content is padded inside.
    auto* column = new QVBoxLayout(bubble_);
    column->setContentsMargins(shadowMargins + QMargins(cardPadding, cardPadding, cardPadding, cardPadding));
    column->setSpacing(8);
    title_ =
        new TextLabel("", Fonts::text(15, FontWeight::regular, FontDesign::serif), Theme::text(), bubble_);
    column->addWidget(title_);
    body_ = new WrappedText("", Fonts::text(12), Theme::text2(), bubble_);
    column->addWidget(body_);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 2, 0, 0);
    row->setSpacing(5);
    for (int i = 0; i < dotCount; ++i) {
        dots_.push_back(new QWidget(bubble_));
        row->addWidget(dots_.back());
    }
    row->addStretch(1);
    row->addWidget(skipTourButton(ui_, 11, bubble_));
    stepButton_ = tourStepButton(
        12, QMargins(12, 4, 12, 4), [this] { ui_.advanceTour(shownStep_); }, bubble_);
    row->addWidget(stepButton_);
    column->addLayout(row);

    // Going to a step without an overlay, or ending: this one fades out showing the step it
    // leaves, not an empty bubble.
    step_.bind(
        {ui_.tour, ui_.hotKeyOurs},
        [this] {
            const auto step = ui_.tour.get();
            return std::pair{step && spotlightTarget(*step) ? *step : shownStep_, ui_.hotKeyOurs.get()};
        },
        [this](const ContentChange<std::pair<TourStep, bool>>& change) { showStep(change.now.first); });
    // The ring swings between its two looks for as long as the overlay shows.
    withAnimation(Animation::easeInOut(1.1).repeatingForever(true), [&] { pulse_.set(1.0); });
}

void TourOverlay::showStep(TourStep step) {
    shownStep_ = step;
    const TourCopy copy = tourCopy(step, ui_.hotKeyOurs.get());
    title_->setText(QString::fromStdString(copy.title));
    body_->setText(QString::fromStdString(copy.body));
    stepButton_->setVisible(copy.button.has_value());
    if (copy.button) stepButton_->setText(QString::fromStdString(*copy.button));
    auto* row = static_cast<QHBoxLayout*>(bubble_->layout()->itemAt(2)->layout());
    const auto lit = tourDotIndex(step);
    for (int i = 0; i < dotCount; ++i) {
        QWidget* dot = new TourDot(lit == i, bubble_);
        // The layout hands back the old dot's item, which is ours to free.
        delete row->replaceWidget(dots_[std::size_t(i)], dot);
        delete dots_[std::size_t(i)];
        dots_[std::size_t(i)] = dot;
    }
    track();
}

void TourOverlay::track() {
    std::optional<TourRect> target;
    target_ = nullptr;
    if (const auto which = spotlightTarget(shownStep_); which && parentWidget()) {
        const auto views = tourAnchorViews(parentWidget());
        if (const auto found = views.find(*which); found != views.end()) {
            target_ = found->second;
            const QRect frame = frameOf(target_);
            target =
                TourRect{double(frame.x()), double(frame.y()), double(frame.width()), double(frame.height())};
        }
    }
    const auto hole = spotlightHole(target);
    const double w = bubbleWidth(width());
    const TourPoint at = bubbleOffset(hole, width(), height());
    // The card's frame reaches beyond the bubble by the margins its shadow falls in.
    const int frameWidth = int(std::lround(w)) + shadowMargins.left() + shadowMargins.right();
    const QRect frame(int(std::lround(at.x)) - shadowMargins.left(),
                      int(std::lround(at.y)) - shadowMargins.top(), frameWidth,
                      bubble_->heightForWidth(frameWidth));
    if (bubble_->geometry() != frame)
        bubble_->setGeometry(frame.x(), frame.y(), frame.width(),
                             std::max(frame.height(), bubble_->sizeHint().height()));
    if (hole == hole_) return;
    hole_ = hole;
    // Clicks on the target fall through to it: the overlay leaves it out of its shape.
    QRegion shape(rect());
    if (hole_) shape -= QRegion(toQt(*target).toRect(), QRegion::Rectangle);
    setMask(shape);
    update();
}

QRect TourOverlay::frameOf(const QWidget* view) const {
    // The target is no child of the overlay: both are mapped through their window.
    return {mapFrom(window(), view->mapTo(window(), QPoint())), view->size()};
}

void TourOverlay::resizeEvent(QResizeEvent*) {
    hole_.reset();
    track();
}

void TourOverlay::paintEvent(QPaintEvent*) {
    PresencePainter painter(this);
    QPainterPath dim;
    dim.setFillRule(Qt::OddEvenFill);
    dim.addRect(QRectF(rect()));
    if (hole_) dim.addRoundedRect(toQt(*hole_), holeRadius, holeRadius);
    painter.fillPath(dim, Theme::veil());
    if (!hole_) return;
    const double t = pulse_.value();
    const double p = 4 * t;
    QColor ring = Theme::accent();
    ring.setAlphaF(float(0.95 + (0.25 - 0.95) * t));
    painter.setPen(QPen(ring, ringWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    // Stroked inside its frame.
    const double inset = ringWidth / 2;
    const QRectF frame = toQt(*hole_).adjusted(-p, -p, p, p).adjusted(inset, inset, -inset, -inset);
    painter.drawRoundedRect(frame, holeRadius + p - inset, holeRadius + p - inset);
}

void TourOverlay::mousePressEvent(QMouseEvent* event) {
    // The dim swallows the click. The hole's margin belongs to the target: what lies under
    // it (the row round a check circle) must not take a click meant for the target.
    event->accept();
    track(); // where the target stands now, not at the last frame
    pressedTarget_ = hole_ && toQt(*hole_).contains(event->position()) ? target_ : nullptr;
    handOn(event);
}

void TourOverlay::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    handOn(event);
    pressedTarget_ = nullptr;
}

void TourOverlay::handOn(QMouseEvent* event) {
    QWidget* target = pressedTarget_;
    if (!target) return;
    const QRect frame = frameOf(target);
    const QPoint at(std::clamp(event->position().toPoint().x(), frame.left(), frame.right()),
                    std::clamp(event->position().toPoint().y(), frame.top(), frame.bottom()));
    QWidget* receiver = target->childAt(at - frame.topLeft());
    if (!receiver) receiver = target;
    const QPoint local = receiver->mapFrom(window(), mapTo(window(), at));
    QMouseEvent handed(event->type(), local, receiver->mapToGlobal(local), event->button(), event->buttons(),
                       event->modifiers());
    QCoreApplication::sendEvent(receiver, &handed);
}

} // namespace vesk
