#pragma once

#include "core/model/Uuid.hpp"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <functional>
#include <optional>

class QDrag;
class QDropEvent;
class QMimeData;
class QWidget;

namespace vesk {

class Store;
class TaskGroup;

// A task group as a drop target: the dragged task takes the group's place as the drag
// enters it, and a drop on it ends the drag.
class ReorderDrop {
  public:
    ReorderDrop(UUID target, std::optional<UUID>& dragging, Store& store)
        : target_(target), dragging_(dragging), store_(store) {}

    void dropEntered();
    // Always accepted: the order changed on the way already.
    bool performDrop();

  private:
    UUID target_;
    std::optional<UUID>& dragging_;
    Store& store_;
};

// Reordering by drag and drop on the task list: every group is a drag source that hands out
// its task's id as plain text and a drop target that reorders as the drag passes over it;
// the list as a whole takes drops that end the drag. Only the list's own drags reorder and are
// taken as moves; text dragged in from another program is taken as a copy and changes nothing.
class TaskDrag final : public QObject {
  public:
    // How a started drag runs until it ends: QDrag::exec, unless a test steps through one.
    using Runner = std::function<Qt::DropAction(QDrag&)>;

    TaskDrag(Store& store, QWidget* list);

    // Makes the group a drag source and a drop target.
    void addGroup(TaskGroup* group);
    // Drags `group`, grabbed at `hotSpot` in its own coordinates, until the drag ends.
    void drag(TaskGroup* group, QPoint hotSpot);

    const std::optional<UUID>& dragging() const { return dragging_; }
    void setRunner(Runner runner) { runner_ = std::move(runner); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool isOwn(const QDropEvent& event) const;
    // Accepts a drag of ours as a move and any other text as a copy; false for anything else.
    bool accept(QDropEvent& event) const;

    Store& store_;
    QWidget* list_;
    std::optional<UUID> dragging_;
    QPointer<QMimeData> payload_;
    Runner runner_;
};

} // namespace vesk
