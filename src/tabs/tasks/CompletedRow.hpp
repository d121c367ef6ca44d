#pragma once

#include "shell/controls/PaintedControl.hpp"
#include "tabs/tasks/TasksContent.hpp"

namespace vesk {

class CheckCircle;
class IconButton;
class OverhangStrip;
class Store;
class TarnelUI;
class TextLabel;

// The line of a completed task: a ticked circle that reopens it, the struck-through title,
// and a delete button under the pointer. A tap elsewhere opens the task.
class CompletedRow final : public PaintedControl {
  public:
    CompletedRow(Store& store, TarnelUI& ui, const CompletedRowContent& content, QWidget* parent = nullptr);

    static int fixedHeight();

    void setContent(const CompletedRowContent& content);
    const CompletedRowContent& content() const { return content_; }

    CheckCircle* checkCircle() const { return check_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void interactionChanged() override;

  private:
    Store& store_;
    TarnelUI& ui_;
    CompletedRowContent content_;
    CheckCircle* check_;
    TextLabel* title_;
    OverhangStrip* buttons_;
    IconButton* delete_ = nullptr;
};

} // namespace vesk
