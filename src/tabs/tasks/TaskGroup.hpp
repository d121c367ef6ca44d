#pragma once

#include "tabs/tasks/TasksContent.hpp"

#include <QWidget>

namespace vesk {

class KeyedRowList;
class Store;
class TarnelUI;
class TaskRow;

// An open top-level task's row followed by the rows of its open subtasks, indented. Each
// subtask keeps its row while the group changes.
class TaskGroup final : public QWidget {
  public:
    TaskGroup(Store& store, TarnelUI& ui, const TaskGroupContent& content, QWidget* parent = nullptr);

    // A guess at the group's height at `width`, without building it.
    static int estimatedHeight(const TaskGroupContent& content, int width);

    void setContent(const TaskGroupContent& content);
    const TaskGroupContent& content() const { return content_; }

    TaskRow* taskRow() const { return task_; }
    // The row of a subtask shown in the group; null for any other.
    TaskRow* subtaskRow(const UUID& id) const;

  private:
    void showSubtasks();

    Store& store_;
    TarnelUI& ui_;
    TaskGroupContent content_;
    TaskRow* task_;
    KeyedRowList* subtasks_;
};

} // namespace vesk
