#pragma once

#include "shell/state/ViewServices.hpp"
#include "tabs/tasks/TasksContent.hpp"

#include <QPoint>
#include <QWidget>
#include <functional>

namespace vesk {

class KeyedRowList;
class Store;
class TarnelUI;
class TaskRow;

// An open top-level task's row followed by the rows of its open subtasks, indented. Each
// subtask keeps its row while the group changes. A press on any of its rows that moves on
// starts dragging the whole group.
class TaskGroup final : public QWidget {
  public:
    TaskGroup(Store& store, TarnelUI& ui, ViewServices services, const TaskGroupContent& content,
              QWidget* parent = nullptr);

    // A guess at the group's height at `width`, without building it.
    static int estimatedHeight(const TaskGroupContent& content, int width);

    void setContent(const TaskGroupContent& content);
    const TaskGroupContent& content() const { return content_; }

    TaskRow* taskRow() const { return task_; }
    // The row of a subtask shown in the group; null for any other.
    TaskRow* subtaskRow(const UUID& id) const;

    // Called with the point grabbed, in the group's coordinates, when a drag starts on it.
    void setOnDragStart(std::function<void(QPoint)> onDragStart) { onDragStart_ = std::move(onDragStart); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showSubtasks();
    TaskRow* makeRow(const TaskRowContent& content, QWidget* parent);

    Store& store_;
    TarnelUI& ui_;
    ViewServices services_;
    TaskGroupContent content_;
    TaskRow* task_;
    KeyedRowList* subtasks_;
    std::function<void(QPoint)> onDragStart_;
    std::optional<QPoint> pressedAt_;
};

} // namespace vesk
