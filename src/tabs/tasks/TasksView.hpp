#pragma once

#include "shell/anim/Animated.hpp"
#include "shell/state/ContentBinding.hpp"
#include "shell/state/ViewServices.hpp"
#include "tabs/tasks/TasksContent.hpp"

#include <QWidget>
#include <optional>

class QScrollArea;

namespace vesk {

class AddTaskRow;
class CompletedHeader;
class CompletedRow;
class EmptyTasks;
class KeyedRowList;
class ListHeader;
class Store;
class TarnelUI;
class TaskDrag;
class TaskGroup;
class UndoPill;

// The tasks tab: the header row with the list picker and the filter menu, the add row, then the open tasks as
// groups with their subtasks and the collapsible section of completed tasks, or an empty state; the undo pill
// floats over the bottom edge. Groups are reordered by dragging them over one another. It follows the store
// and the UI state itself; what it shows is `tasksContent`. Built anew each time the tab shows, so the open
// section, the typed title and the focus start fresh.
class TasksView final : public QWidget {
  public:
    TasksView(Store& store, TarnelUI& ui, ViewServices services, QWidget* parent = nullptr);

    const TasksContent& content() const { return content_.content(); }
    ListHeader* header() const { return header_; }
    AddTaskRow* addRow() const { return addRow_; }
    UndoPill* undoPill() const { return pill_; }
    EmptyTasks* fullEmptyState() const { return fullEmpty_; }
    QScrollArea* scrollArea() const { return scroll_; }
    KeyedRowList* rows() const { return rows_; }
    TaskDrag* drag() const { return drag_; }
    // The shown rows; null when not shown.
    TaskGroup* group(const UUID& id) const;
    CompletedRow* completedRow(const UUID& id) const;
    CompletedHeader* completedHeader() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void apply(const ContentChange<TasksContent>& change);
    QWidget* makeRow(const TasksListRow& row, QWidget* parent);
    void updateRow(QWidget* widget, const TasksListRow& row);
    int estimateRow(const TasksListRow& row, int width) const;
    void toggleCompleted();
    void scrollToGroup(const UUID& id);
    void scrollTo(int top);
    void showTourTask();

    Store& store_;
    TarnelUI& ui_;
    ViewServices services_;
    bool showCompleted_ = false;
    bool tourTaskQueued_ = false;

    ListHeader* header_;
    AddTaskRow* addRow_;
    EmptyTasks* fullEmpty_;
    QScrollArea* scroll_;
    KeyedRowList* rows_;
    TaskDrag* drag_;
    UndoPill* pill_;
    Animated<double> scrollTop_;
    ContentBinding<TasksContent> content_;
    Observations observations_;
};

} // namespace vesk
