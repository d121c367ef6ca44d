#include "shell/controls/RollingText.hpp"

#include "shell/anim/PresencePainter.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/TabularText.hpp"
#include "shell/theme/Theme.hpp"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace vesk {

RollingText::RollingText(QWidget* parent, AnimationManager* manager)
    : QWidget(parent), font_(Fonts::text(12.5, FontWeight::semibold, FontDesign::rounded)),
      color_(Theme::text()), progress_(1.0, {}, manager) {
    // A roll's first step shows the old text where it was: nothing to redraw yet.
    progress_.setOnChange([this] {
        if (progress_.value() <= 0) return;
        // Only the characters that roll: a clock's next second redraws its last digit or two.
        const int left = std::max(static_cast<int>(std::floor(rollLeft_)) - 1, 0);
        update(left, 0, width() - left, height());
    });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    fitResolution();
}

void RollingText::fitResolution() {
    // A roll travels one line: it is over once less than half a pixel of it is left.
    progress_.setResolution(0.5 / std::max(QFontMetricsF(font_).height(), 1.0));
}

void RollingText::setText(const QString& text, Direction direction, const Animation& animation) {
    if (text == text_) return;
    const bool first = text_.isEmpty() && previous_.isEmpty();
    const bool resized = TabularText::width(font_, text) != TabularText::width(font_, text_);
    previous_ = text_;
    text_ = text;
    direction_ = direction;
    if (resized) updateGeometry(); // a clock's next second keeps its width
    rollLeft_ = first || resized ? 0 : changedLeft();
    if (first) {
        progress_.jump(1.0);
        return;
    }
    progress_.jump(0.0);
    progress_.animate(1.0, animation);
}

void RollingText::setTextFont(const QFont& font) {
    font_ = font;
    fitResolution();
    updateGeometry();
    update();
}

void RollingText::setColor(const QColor& color) {
    if (color == color_) return; // a running clock is told its colour every second
    color_ = color;
    update();
}

void RollingText::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void RollingText::resizeEvent(QResizeEvent*) {
    rollLeft_ = 0; // the characters moved with the box: the rest of a roll redraws it whole
}

double RollingText::changedLeft() const {
    // Laid out as the paint lays both texts out: from the same right edge, matched from the right.
    double xNew = TabularText::alignedLeft(alignment_, width(), TabularText::width(font_, text_)) +
                  TabularText::width(font_, text_);
    double xOld = xNew;
    double left = xNew;
    for (qsizetype i = 1; i <= std::max(text_.size(), previous_.size()); ++i) {
        const bool hasNew = i <= text_.size();
        const bool hasOld = i <= previous_.size();
        if (hasNew) xNew -= TabularText::advance(font_, text_[text_.size() - i]);
        if (hasOld) xOld -= TabularText::advance(font_, previous_[previous_.size() - i]);
        if (hasNew && hasOld && text_[text_.size() - i] == previous_[previous_.size() - i]) continue;
        left = std::min({left, hasNew ? xNew : left, hasOld ? xOld : left});
    }
    return left;
}

QSize RollingText::sizeHint() const {
    const QFontMetricsF metrics(font_);
    return {static_cast<int>(std::ceil(TabularText::width(font_, text_))),
            static_cast<int>(std::ceil(metrics.height()))};
}

void RollingText::paintEvent(QPaintEvent* event) {
    PresencePainter p(this, QPainter::Antialiasing | QPainter::TextAntialiasing);
    p.setFont(font_);

    const QFontMetricsF metrics(font_);
    const double width = TabularText::width(font_, text_);
    const double left = TabularText::alignedLeft(alignment_, this->width(), width);
    const double lineTop = (height() - metrics.height()) / 2;
    const double baseline = lineTop + metrics.ascent();
    // Rolling characters show only within their own line.
    p.setClipRect(QRectF(0, lineTop, this->width(), metrics.height()));
    const double t = progress_.value();
    const double travel = metrics.height() * (direction_ == Direction::up ? 1 : -1);

    auto draw = [&](QChar c, double x, double dy, double opacity) {
        if (opacity <= 0) return;
        QColor color = color_;
        color.setAlphaF(static_cast<float>(color.alphaF() * std::min(opacity, 1.0)));
        p.setPen(color);
        TabularText::draw(p, QPointF(x, baseline + dy), QString(c));
    };

    // Characters are matched from the right, where the fast-changing digits are.
    const qsizetype count = std::max(text_.size(), previous_.size());
    double xNew = left + width;
    double xOld = xNew;
    const double paintLeft = event->rect().left();
    for (qsizetype i = 1; i <= count; ++i) {
        if (std::max(xNew, xOld) <= paintLeft) break; // the rest lies left of the redrawn part
        const bool hasNew = i <= text_.size();
        const bool hasOld = i <= previous_.size();
        const QChar now = hasNew ? text_[text_.size() - i] : QChar();
        const QChar before = hasOld ? previous_[previous_.size() - i] : QChar();
        if (hasNew) xNew -= TabularText::advance(font_, now);
        if (hasOld) xOld -= TabularText::advance(font_, before);
        if (hasNew && hasOld && now == before) {
            draw(now, xNew, 0, 1);
            continue;
        }
        if (hasOld) draw(before, xOld, -travel * t, 1 - t);
        if (hasNew) draw(now, xNew, travel * (1 - t), t);
    }
}

} // namespace vesk
