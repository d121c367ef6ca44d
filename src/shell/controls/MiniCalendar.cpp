#include "shell/controls/MiniCalendar.hpp"

#include "core/format/Fmt.hpp"
#include "shell/anim/PresencePainter.hpp"
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

// One place of the grid. Holding a day: its number, black on an accent circle when
// selected, accent when today, the whole cell the button. Before the month's first day:
// blank and inert.
class DayCell final : public PaintedControl {
  public:
    explicit DayCell(QWidget* parent) : PaintedControl(parent) {
        setFixedHeight(cellHeight);
        setMinimumWidth(10);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    struct Marks {
        bool selected = false;
        bool today = false;
    };

    void setDay(std::optional<int> day, Marks marks) {
        const QString text = day ? QString::number(*day) : QString();
        if (text == day_ && marks.selected == selected_ && marks.today == today_) return;
        day_ = text;
        selected_ = marks.selected;
        today_ = marks.today;
        setEnabled(day.has_value());
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (day_.isEmpty()) return;
        PresencePainter p(this);
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
    bool selected_ = false;
    bool today_ = false;
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

    // Built once and filled in place: a pick that changes the selection must not destroy
    // the cell being clicked, and the clock's ticks must not rebuild the month.
    for (int column = 0; column < 7; ++column) {
        auto* letter = new TextLabel({}, Fonts::text(10, FontWeight::medium), Theme::text3(), this);
        letter->setAlignment(Qt::AlignCenter);
        letter->setFixedHeight(16);
        grid_->addWidget(letter, 0, column);
        letters_[static_cast<std::size_t>(column)] = letter;
    }
    for (int position = 0; position < maxCells; ++position) {
        auto* cell = new DayCell(this);
        cell->setAction([this, position] {
            const int index = position - shown_.leadingBlanks;
            if (onPick_ && index >= 0 && index < static_cast<int>(shown_.days.size()))
                onPick_(shown_.days[static_cast<std::size_t>(index)]);
        });
        grid_->addWidget(cell, 1 + position / 7, position % 7);
        cells_[static_cast<std::size_t>(position)] = cell;
    }
    refresh();
}

void MiniCalendar::setSelected(std::optional<Date> selected) {
    if (selected == selected_) return;
    selected_ = selected;
    refresh();
}

void MiniCalendar::setNow(Date now) {
    if (now == now_) return;
    now_ = now;
    refresh();
}

void MiniCalendar::shift(int months) {
    if (const auto month = MonthGrid::shifted(month_, months, calendar_)) {
        month_ = *month;
        refresh();
    }
}

void MiniCalendar::refresh() {
    title_->setText(QString::fromStdString(Fmt::month(month_, calendar_)));
    const auto letters = MonthGrid::weekdayLetters(month_, calendar_);
    for (std::size_t column = 0; column < letters.size(); ++column)
        letters_[column]->setText(QString::fromStdString(letters[column]));

    shown_ = MonthGrid::of(month_, calendar_);
    const Date today = calendar_.startOfDay(now_);
    const bool hasSelection = selected_.has_value();
    const Date selectedDay = hasSelection ? calendar_.startOfDay(*selected_) : Date{};
    dayCells_.clear();
    for (int position = 0; position < maxCells; ++position) {
        auto* cell = static_cast<DayCell*>(cells_[static_cast<std::size_t>(position)]);
        const int index = position - shown_.leadingBlanks;
        // Rows past the month's last day go away; blanks before its first day keep their place.
        cell->setVisible(position < shown_.cellCount());
        if (index < 0 || index >= static_cast<int>(shown_.days.size())) {
            cell->setDay(std::nullopt, {});
            continue;
        }
        const Date day = shown_.days[static_cast<std::size_t>(index)];
        const Date start = calendar_.startOfDay(day);
        cell->setDay(calendar_.civil(day).day,
                     {.selected = hasSelection && selectedDay == start, .today = start == today});
        dayCells_.push_back(cell);
    }
}

} // namespace vesk
