#pragma once

#include "core/model/TimerModels.hpp"
#include "core/model/Uuid.hpp"
#include "shell/state/ContentBinding.hpp"
#include "shell/state/ViewServices.hpp"
#include "tabs/detail/TaskDetailContent.hpp"

#include <QWidget>

namespace vesk {

class DueDateSection;
class GrowingTextEdit;
class IconButton;
class ListMenuButton;
class Store;
class SubtaskSection;
class TarnelUI;
class TextLabel;

// The edit screen of one task or subtask: toolbar, title and notes written into the store
// as typed, the due date, the subtasks and a summary line. It keeps no copy of the task:
// every refresh looks it up in the store, and a task that is gone closes the detail.
class TaskDetailView final : public QWidget {
  public:
    TaskDetailView(Store& store, TarnelUI& ui, ViewServices services, UUID id, QWidget* parent = nullptr);

    GrowingTextEdit* titleField() const { return title_; }
    GrowingTextEdit* notesField() const { return notes_; }
    DueDateSection* dueSection() const { return due_; }
    SubtaskSection* subtasks() const { return subtasks_; }
    ListMenuButton* listMenu() const { return listMenu_; }
    IconButton* button(const char* symbol) const;
    const TextLabel* summary() const { return summary_; }

  private:
    void apply(const ContentChange<TaskDetailContent>& change);
    void startTimer(TimerMode mode);

    Store& store_;
    TarnelUI& ui_;
    ViewServices services_;
    UUID id_;
    bool closing_ = false;
    QWidget* page_;
    ListMenuButton* listMenu_;
    IconButton* star_;
    GrowingTextEdit* title_;
    GrowingTextEdit* notes_;
    DueDateSection* due_;
    SubtaskSection* subtasks_ = nullptr;
    TextLabel* summary_;
    ContentBinding<TaskDetailContent> content_;
};

} // namespace vesk
