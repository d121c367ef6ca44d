#include "tabs/stats/StatsCharts.hpp"

#include "shell/anim/PresencePainter.hpp"
#include "shell/controls/BoxLayouts.hpp"
#include "shell/controls/FittedText.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>

namespace vesk {
namespace {

constexpr double heatGap = 3;
constexpr double heatRadius = 2;

QColor withOpacity(QColor color, double opacity) {
    color.setAlphaF(static_cast<float>(color.alphaF() * opacity));
    return color;
}

void fillRounded(QPainter& p, const QRectF& box, double radius, const QColor& color) {
    QPainterPath shape;
    shape.addRoundedRect(box, radius, radius);
    p.fillPath(shape, color);
}

void fillCapsule(QPainter& p, const QRectF& box, const QColor& color) {
    fillRounded(p, box, box.height() / 2, color);
}

QFont letterFont(bool today) {
    return Fonts::text(10, today ? FontWeight::semibold : FontWeight::regular);
}

} // namespace

QColor heatColor(int level) {
    if (level <= 0) return Theme::surface();
    return withOpacity(Theme::focus(), heatOpacity(level));
}

// The area of one day: the track, and the bar standing on its bottom.
class DayColumn::Bar final : public QWidget {
  public:
    explicit Bar(DayColumn* column) : QWidget(column), column_(*column) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFixedHeight(static_cast<int>(StatsScale::barAreaHeight));
    }

    bool hovered = false;

  protected:
    void paintEvent(QPaintEvent*) override {
        PresencePainter p(this);
        const QRectF area = rect();
        fillRounded(p, area, 4, Theme::surface());
        const WeekDay& day = column_.day();
        if (day.barHeight <= 0) return;
        const QColor fill = day.today ? Theme::focus() : withOpacity(Qt::white, hovered ? 0.45 : 0.24);
        fillRounded(p, QRectF(0, area.height() - day.barHeight, area.width(), day.barHeight), 4, fill);
    }

  private:
    DayColumn& column_;
};

DayColumn::DayColumn(OnHover onHover, QWidget* parent) : QWidget(parent), onHover_(std::move(onHover)) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    auto* stack = columnLayout(this, 5);
    bar_ = new Bar(this);
    letter_ = new TextLabel({}, letterFont(false), Theme::text3(), this);
    letter_->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    stack->addWidget(bar_);
    stack->addWidget(letter_);
}

void DayColumn::setDay(const WeekDay& day) {
    if (day == day_) return;
    day_ = day;
    letter_->setText(QString::fromStdString(day.letter));
    letter_->setTextFont(letterFont(day.today));
    letter_->setColor(day.today ? Theme::text() : Theme::text3());
    bar_->update();
}

void DayColumn::setHovered(bool hovered) {
    if (hovered == bar_->hovered) return;
    bar_->hovered = hovered;
    bar_->update();
}

void DayColumn::enterEvent(QEnterEvent*) {
    onHover_(day_, true);
}

void DayColumn::leaveEvent(QEvent*) {
    onHover_(day_, false);
}

HeatGrid::HeatGrid(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void HeatGrid::setLevels(std::vector<HeatLevels> levels) {
    if (levels == levels_) return;
    const bool reshaped = levels.size() != levels_.size();
    levels_ = std::move(levels);
    if (reshaped) updateGeometry();
    update();
}

double HeatGrid::cellSide(double width, double height) const {
    const double columns = static_cast<double>(std::max<std::size_t>(levels_.size(), 1));
    const double fromWidth = (width - heatGap * (columns - 1)) / columns;
    const double fromHeight = (height - heatGap * 6) / 7;
    return std::max(std::min(fromWidth, fromHeight), 0.0);
}

int HeatGrid::heightForWidth(int width) const {
    const double side = cellSide(width, std::numeric_limits<double>::infinity());
    return static_cast<int>(std::floor(side * 7 + heatGap * 6));
}

QSize HeatGrid::sizeHint() const {
    const int width = static_cast<int>(levels_.size()) * 14;
    return {width, heightForWidth(width)};
}

void HeatGrid::paintEvent(QPaintEvent*) {
    PresencePainter p(this);
    const double side = cellSide(width(), height());
    if (side <= 0) return;
    const double columns = static_cast<double>(levels_.size());
    // Square cells leave room on one side: the grid sits in the middle of it.
    const double left = (width() - (side * columns + heatGap * (columns - 1))) / 2;
    const double top = (height() - (side * 7 + heatGap * 6)) / 2;
    for (std::size_t column = 0; column < levels_.size(); ++column)
        for (std::size_t row = 0; row < 7; ++row) {
            const std::optional<int>& level = levels_[column][row];
            if (!level) continue; // a day still to come
            const QRectF cell(left + static_cast<double>(column) * (side + heatGap),
                              top + static_cast<double>(row) * (side + heatGap), side, side);
            fillRounded(p, cell, heatRadius, heatColor(*level));
        }
}

HeatSwatch::HeatSwatch(int level, QWidget* parent) : QWidget(parent), level_(level) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(8, 8);
}

void HeatSwatch::paintEvent(QPaintEvent*) {
    PresencePainter p(this);
    fillRounded(p, rect(), heatRadius, heatColor(level_));
}

// The track over the rest of the row, with the task's share filled from the leading edge.
class TopTaskRow::Bar final : public QWidget {
  public:
    explicit Bar(TopTaskRow* row) : QWidget(row), row_(*row) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        PresencePainter p(this);
        constexpr double thickness = 5;
        const QRectF track(0, (height() - thickness) / 2, width(), thickness);
        fillCapsule(p, track, Theme::surface());
        QRectF filled = track;
        filled.setWidth(topBarWidth(track.width(), row_.row().share));
        fillCapsule(p, filled, withOpacity(Theme::accent(), 0.8));
    }

  private:
    TopTaskRow& row_;
};

TopTaskRow::TopTaskRow(QWidget* parent) : QWidget(parent) {
    setFixedHeight(16);
    auto* line = rowLayout(this, 10);
    title_ = new TextLabel({}, Fonts::text(12), Theme::text(), this);
    title_->setFixedWidth(150);
    bar_ = new Bar(this);
    time_ = new FittedText(Fonts::text(11, FontWeight::medium, FontDesign::rounded), Theme::text2(),
                           Qt::AlignRight | Qt::AlignVCenter, this);
    time_->setFixedWidth(48);
    time_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    line->addWidget(title_);
    line->addWidget(bar_, 1);
    line->addWidget(time_);
}

void TopTaskRow::setRow(const TopRow& row) {
    if (row == row_) return;
    row_ = row;
    title_->setText(QString::fromStdString(row.title));
    title_->setColor(row.withoutTask ? Theme::text2() : Theme::text());
    time_->setText(QString::fromStdString(row.time));
    bar_->update();
}

} // namespace vesk
