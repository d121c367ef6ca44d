#include "shell/controls/MiniCalendar.hpp"

#include "core/format/Fmt.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/controls/IconButton.hpp"
#include "shell/controls/MonthGrid.hpp"
#include "shell/controls/PaintedControl.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace vesk {

namespace {

constexpr int cellHeight = 24;

// One day of the grid: its number, black on an accent circle when selected, accent when
// today; the whole cell is the button.
class DayCell final : public PaintedControl {
  public:
    DayCell(int day, bool selected, bool today, QWidget* parent)
        : PaintedControl(parent), day_(QString::number(day)), selected_(selected), today_(today) {
        setFixedHeight(cellHeight);
        setMinimumWidth(10);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        Presence::apply(p, this);
        const QRectF box = rect();
        if (selected_) {
            const QRectF circle(box.center().x() - cellHeight / 2.0, box.center().y() - cellHeight / 2.0,
                                cellHeight, cellHeight);
            p.setPen(Qt::NoPen);
            p.setBrush(Theme::accent());
            p.drawEllipse(circle);
        }
        const bool strong = selected_ || today_;
        p.setFont(Fonts::text(11.5, strong ? FontWeight::semibold : FontWeight::regular));
        p.setPen(selected_ ? QColor(Qt::black) : today_ ? Theme::accent() : Theme::text());
        p.drawText(box, Qt::AlignCenter, day_);
    }

  private:
    QString day_;
    bool selected_;
    bool today_;
};

} // namespace

MiniCalendar::MiniCalendar(std::optional<Date> selected, std::function<void(Date)> onPick, Date now,
                           const Calendar& calendar, QWidget* parent)
    : QWidget(parent), selected_(selected), onPick_(std::move(onPick)), now_(now), calendar_(calendar),
      month_(MonthGrid::startOfMonth(selected.value_or(now), calendar)) {
    auto* stack = new QVBoxLayout(this);
    stack->setSpacing(6);
    stack->setContentsMargins(0, 0, 0, 0);

    auto* header = new QHBoxLayout;
    header->setSpacing(0);
    title_ = new TextLabel({}, Fonts::text(12, FontWeight::semibold), Theme::text(), this);
    previous_ = new IconButton(
        "chevron.left", 10, Theme::text2(), {}, [this] { shift(-1); }, this);
    next_ = new IconButton(
        "chevron.right", 10, Theme::text2(), {}, [this] { shift(1); }, this);
    header->addWidget(title_);
    header->addStretch(1);
    header->addWidget(previous_);
    header->addWidget(next_);
    stack->addLayout(header);

    grid_ = new QGridLayout;
    grid_->setHorizontalSpacing(2);
    grid_->setVerticalSpacing(2);
    for (int column = 0; column < 7; ++column) {
        grid_->setColumnStretch(column, 1);
        grid_->setColumnMinimumWidth(column, 10);
    }
    stack->addLayout(grid_);
    rebuild();
}

void MiniCalendar::setSelected(std::optional<Date> selected) {
    if (selected == selected_) return;
    selected_ = selected;
    rebuild();
}

void MiniCalendar::setNow(Date now) {
    if (now == now_) return;
    now_ = now;
    rebuild();
}

void MiniCalendar::shift(int months) {
    if (const auto month = MonthGrid::shifted(month_, months, calendar_)) {
        month_ = *month;
        rebuild();
    }
}

void MiniCalendar::rebuild() {
    title_->setText(QString::fromStdString(Fmt::month(month_, calendar_)));
    for (QWidget* cell : cells_)
        delete cell;
    cells_.clear();
    dayCells_.clear();

    const auto letters = MonthGrid::weekdayLetters(month_, calendar_);
    for (int column = 0; column < 7; ++column) {
        auto* letter = new TextLabel(QString::fromStdString(letters[static_cast<std::size_t>(column)]),
                                     Fonts::text(10, FontWeight::medium), Theme::text3(), this);
        letter->setAlignment(Qt::AlignCenter);
        letter->setFixedHeight(16);
        grid_->addWidget(letter, 0, column);
        cells_.push_back(letter);
    }

    const MonthGrid grid = MonthGrid::of(month_, calendar_);
    int position = 0;
    for (; position < grid.leadingBlanks; ++position) {
        auto* blank = new QWidget(this);
        blank->setFixedHeight(cellHeight);
        grid_->addWidget(blank, 1 + position / 7, position % 7);
        cells_.push_back(blank);
    }
    const Date today = calendar_.startOfDay(now_);
    const bool hasSelection = selected_.has_value();
    const Date selectedDay = hasSelection ? calendar_.startOfDay(*selected_) : Date{};
    for (const Date day : grid.days) {
        const Date start = calendar_.startOfDay(day);
        auto* cell =
            new DayCell(calendar_.civil(day).day, hasSelection && selectedDay == start, start == today, this);
        cell->setAction([this, day] {
            if (onPick_) onPick_(day);
        });
        grid_->addWidget(cell, 1 + position / 7, position % 7);
        cells_.push_back(cell);
        dayCells_.push_back(cell);
        ++position;
    }
}

} // namespace vesk
