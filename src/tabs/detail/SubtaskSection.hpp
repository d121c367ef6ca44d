#pragma once

#include "core/model/TaskModels.hpp"
#include "core/model/Uuid.hpp"

#include <QWidget>
#include <map>
#include <vector>

class QVBoxLayout;

namespace vesk {

class CheckCircle;
class IconButton;
class Store;
class TextField;
class TextLabel;
class SubtaskRow;

// The subtasks of a top-level task in its detail: a header with the done count, one row per
// subtask (tick, rename in place, delete) and a field that adds the next one.
class SubtaskSection final : public QWidget {
  public:
    SubtaskSection(Store& store, UUID parentID, QWidget* parent = nullptr);

    // Brings the rows to the subtasks, keeping each row's widget (and its field's cursor).
    void refresh(const std::vector<TaskItem>& subtasks);
    TextField* addField() const { return add_; }
    SubtaskRow* row(const UUID& id) const;

  private:
    Store& store_;
    UUID parentID_;
    TextLabel* header_;
    QVBoxLayout* rows_;
    TextField* add_;
    std::map<UUID, SubtaskRow*> rowsByID_;
};

// One subtask: its check circle, its title field and a delete button, dimmed until the
// title has the keyboard.
class SubtaskRow final : public QWidget {
  public:
    SubtaskRow(Store& store, const TaskItem& subtask, QWidget* parent = nullptr);
    void refresh(const TaskItem& subtask);
    TextField* titleField() const { return title_; }
    CheckCircle* checkCircle() const { return check_; }
    double deleteOpacity() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void dimDelete();

    UUID id_;
    CheckCircle* check_;
    TextField* title_;
    IconButton* delete_;
};

} // namespace vesk
