#pragma once

#include "core/model/Date.hpp"
#include "core/model/TaskModels.hpp"
#include "core/model/Uuid.hpp"

#include <optional>
#include <string>
#include <vector>

namespace vesk {

class Calendar;
class Store;

// What the detail editor shows of a task, decided from the model alone.

// One entry of the toolbar's move-to menu.
struct ListMenuEntry {
    UUID listID;
    std::string name;
    bool enabled = true;

    friend bool operator==(const ListMenuEntry&, const ListMenuEntry&) = default;
};

// The toolbar's list menu: its label (the task's list name) and its entries, or nothing
// when the task's list is gone. A top-level task cannot move to its own list; a subtask can.
struct ListMenu {
    std::string label;
    std::vector<ListMenuEntry> entries;

    friend bool operator==(const ListMenu&, const ListMenu&) = default;
};
std::optional<ListMenu> listMenuFor(const std::vector<TaskList>& lists, const TaskItem& task);

// The due-date chips: which quick day is selected, and the pick chip's text and state.
struct DueChips {
    bool today = false;
    bool tomorrow = false;
    bool nextWeek = false;
    bool pick = false;
    std::string pickText = "Pick…";
    bool clearShown = false;

    friend bool operator==(const DueChips&, const DueChips&) = default;
};
// The three quick days, at the start of their day: today, tomorrow, a week from today.
struct QuickDays {
    Date today;
    Date tomorrow;
    Date nextWeek;
};
QuickDays quickDays(Date clockNow, const Calendar& calendar);
DueChips dueChips(std::optional<Date> due, bool calendarOpen, Date clockNow, const Calendar& calendar);

// "Subtasks", or "Subtasks · done/all".
std::string subtaskHeader(const std::vector<TaskItem>& subtasks);

// The line under the editor: focus, full pomodoros, creation and completion, joined by "  ·  ".
std::string detailSummary(const Store& store, const TaskItem& task, Date clockNow, const Calendar& calendar);

// What the editor of one task shows; no task when it is gone.
struct TaskDetailContent {
    std::optional<TaskItem> task;
    std::optional<ListMenu> listMenu;
    std::vector<TaskItem> subtasks; // of a top-level task
    std::string summary;
    Date today; // the due chips read relative to it

    friend bool operator==(const TaskDetailContent&, const TaskDetailContent&) = default;
};
TaskDetailContent taskDetailContent(const Store& store, const UUID& id, Date clockNow,
                                    const Calendar& calendar);

} // namespace vesk
