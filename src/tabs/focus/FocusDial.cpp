#include "tabs/focus/FocusDial.hpp"

#include "shell/controls/BoxLayouts.hpp"
#include "shell/controls/Ring.hpp"
#include "shell/controls/RollingText.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/theme/Fonts.hpp"
#include "tabs/focus/StopwatchFace.hpp"

#include <QGridLayout>
#include <QVBoxLayout>
#include <cmath>
#include <numbers>

namespace vesk {

namespace {

constexpr double lineWidth = StopwatchFace::lineWidth;
// The store's ticker moves the reading once a second; the ring follows over that time.
constexpr Animation ringPace = Animation::linear(1);
// The large time's roll takes under half a second: twenty frames a second show it as a roll;
// sixty would redraw it three times as often every second of a session.
constexpr double timeFrameRate = 20;

QFont timeFont(double points) {
    return Fonts::text(points, FontWeight::light, FontDesign::rounded);
}

QFont labelFont() {
    QFont font = Fonts::text(9.5, FontWeight::semibold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.6);
    return font;
}

} // namespace

FocusDial::FocusDial(QWidget* parent, AnimationManager* manager)
    : QWidget(parent), ringProgress_(0.0, {}, manager) {
    const int outer = static_cast<int>(side + 2 * StopwatchFace::bleed);
    setFixedSize(outer, outer);
    auto* layers = new QGridLayout(this);
    layers->setContentsMargins(0, 0, 0, 0);

    face_ = new StopwatchFace(this, manager);
    layers->addWidget(face_, 0, 0);
    ring_ = new Ring(0, {}, lineWidth, this);
    ring_->setFixedSize(static_cast<int>(side), static_cast<int>(side));
    layers->addWidget(ring_, 0, 0, Qt::AlignCenter);
    ringProgress_.setOnChange([this] { ring_->setProgress(ringProgress_.value()); });

    auto* texts = new QWidget(this);
    texts->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* column = columnLayout(texts, 4);
    time_ = new RollingText(texts, manager);
    time_->setFrameRate(timeFrameRate);
    time_->setAlignment(Qt::AlignCenter);
    label_ = new TextLabel({}, labelFont(), {}, texts);
    column->addWidget(time_, 0, Qt::AlignHCenter);
    column->addWidget(label_, 0, Qt::AlignHCenter);
    layers->addWidget(texts, 0, 0, Qt::AlignCenter);
}

void FocusDial::apply(const ContentChange<FocusDialContent>& change) {
    const FocusDialContent& content = change.now;
    if (change.changed(&FocusDialContent::mode)) {
        const bool pomodoro = content.mode == TimerMode::pomodoro;
        ring_->setVisible(pomodoro);
        face_->setVisible(!pomodoro);
        // A mode shows its own reading at once, without gliding from the other mode's.
        ringProgress_.jump(pomodoro ? content.progress : 0.0);
        face_->setProgress(pomodoro ? 0.0 : content.progress, StopwatchFace::Move::jumps);
    } else if (change.changed(&FocusDialContent::progress)) {
        applyProgress(content.mode, content.progress);
    }
    if (change.changed(&FocusDialContent::tint)) ring_->setTint(content.tint);
    if (change.changed(&FocusDialContent::dotColor)) face_->setDotColor(content.dotColor);
    if (change.changed(&FocusDialContent::timePoints)) time_->setTextFont(timeFont(content.timePoints));
    if (change.changed(&FocusDialContent::timeColor)) time_->setColor(content.timeColor);
    time_->setText(QString::fromStdString(content.time),
                   content.countsDown ? RollingText::Direction::down : RollingText::Direction::up);
    if (change.changed(&FocusDialContent::labelColor)) label_->setColor(content.labelColor);
    label_->setText(QString::fromStdString(content.label));
}

void FocusDial::applyProgress(TimerMode mode, double progress) {
    if (mode == TimerMode::stopwatch) {
        face_->setProgress(progress);
        return;
    }
    // A step too small to see is not worth thirty frames: a 25-minute ring moves a seventh
    // of a point per tick.
    const double circumference = std::numbers::pi * (side - lineWidth);
    // Steps too small to see, while a glide is under way, join the next step that shows: gliding
    // on with each of them would keep the ring animating for the whole session.
    const bool visible = std::abs(progress - ringProgress_.target()) * circumference >= 1.0;
    if (visible)
        ringProgress_.animate(progress, ringPace);
    else if (!ringProgress_.isAnimating())
        ringProgress_.jump(progress);
}

} // namespace vesk
