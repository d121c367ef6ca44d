#pragma once

#include "core/model/Date.hpp"
#include "core/runtime/Calendar.hpp"
#include "shell/controls/MonthGrid.hpp"

#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class QGridLayout;

namespace vesk {

class TextLabel;

// The small month grid a due date is picked with: the month's title with buttons to the
// previous and next month, the weekday letters from the user's first weekday, and one
// button per day. Today and the selected day are set off in the accent green. A click
// reports the day's start; the caller decides what a pick does and passes the selection
// back. The month shown is the calendar's own state. `now` says which day is today.
class MiniCalendar final : public QWidget {
  public:
    MiniCalendar(std::optional<Date> selected, std::function<void(Date)> onPick, Date now,
                 const Calendar& calendar, QWidget* parent = nullptr);

    void setSelected(std::optional<Date> selected);
    void setNow(Date now);

    Date month() const { return month_; }
    // The day cells in order, for the views and tests that look inside.
    const std::vector<QWidget*>& dayCells() const { return dayCells_; }
    QWidget* previousButton() const { return previous_; }
    QWidget* nextButton() const { return next_; }

  private:
    // Six weeks: the most a month spans.
    static constexpr int maxCells = 42;

    void shift(int months);
    // Fills the cells for the month, the selection and today.
    void refresh();

    std::optional<Date> selected_;
    std::function<void(Date)> onPick_;
    Date now_;
    Calendar calendar_;
    Date month_;

    TextLabel* title_;
    QWidget* previous_;
    QWidget* next_;
    QGridLayout* grid_;
    MonthGrid shown_;
    std::array<TextLabel*, 7> letters_{};
    std::array<QWidget*, maxCells> cells_{};
    std::vector<QWidget*> dayCells_;
};

} // namespace vesk
