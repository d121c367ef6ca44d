#pragma once

#include "core/model/Date.hpp"
#include "core/model/Uuid.hpp"
#include "shell/state/ViewServices.hpp"

#include <QWidget>
#include <optional>

class QVBoxLayout;

namespace vesk {

class Chip;
class IconButton;
class MiniCalendar;
class Store;

// The detail's due date: quick chips for today, tomorrow and a week ahead, a pick chip that
// opens a month calendar in place, and a clear button while a date is set.
class DueDateSection final : public QWidget {
  public:
    DueDateSection(Store& store, ViewServices services, UUID taskID, QWidget* parent = nullptr);

    // Brings the chips and the calendar to the task's due date.
    void refresh(std::optional<Date> due);
    bool calendarOpen() const { return calendar_ != nullptr; }
    MiniCalendar* calendar() const { return calendar_; }
    Chip* pickChip() const { return pick_; }

  private:
    void setDue(Date day);
    void toggleCalendar();
    void closeCalendar();

    Store& store_;
    ViewServices services_;
    UUID taskID_;
    std::optional<Date> due_;
    QVBoxLayout* column_;
    Chip* today_;
    Chip* tomorrow_;
    Chip* nextWeek_;
    Chip* pick_;
    IconButton* clear_;
    QWidget* calendarCard_ = nullptr;
    MiniCalendar* calendar_ = nullptr;
};

} // namespace vesk
