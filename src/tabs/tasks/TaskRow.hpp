#pragma once

#include "shell/controls/PaintedControl.hpp"
#include "shell/state/ViewServices.hpp"
#include "tabs/tasks/TasksContent.hpp"

class QHBoxLayout;
class QVBoxLayout;

namespace vesk {

class CheckCircle;
class DueChip;
class IconButton;
class OverhangStrip;
class Store;
class TarnelUI;
class TextLabel;
class WrappedText;

// The line of one open task or subtask: the check circle, the title with its note and facts
// (due date, focus so far, or "In focus"), and play and star buttons that show under the
// pointer (a starred task's star always). A tap elsewhere on the row opens the task; a
// right click opens its menu.
class TaskRow final : public PaintedControl {
  public:
    TaskRow(Store& store, TarnelUI& ui, ViewServices services, const TaskRowContent& content,
            QWidget* parent = nullptr);

    // A guess at the height of the row of `content` at `width`, without building it: for
    // the rows of a long list not scrolled into view yet.
    static int estimatedHeight(const TaskRowContent& content, int width);

    void setContent(const TaskRowContent& content);
    const TaskRowContent& content() const { return content_; }

    CheckCircle* checkCircle() const { return check_; }
    // Built the first time they show.
    IconButton* playButton() const { return play_; }
    IconButton* starButton() const { return star_; }
    QWidget* factsLine() const { return facts_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void interactionChanged() override;

  private:
    class MarkedText;

    void apply();
    void applyButtons();
    void showNote();
    void showFacts();
    void showButtons();

    Store& store_;
    TarnelUI& ui_;
    ViewServices services_;
    TaskRowContent content_;

    QVBoxLayout* column_;
    CheckCircle* check_;
    WrappedText* title_;
    TextLabel* note_ = nullptr;
    QWidget* facts_ = nullptr;
    DueChip* due_ = nullptr;
    MarkedText* focusBadge_ = nullptr;
    MarkedText* focusedTime_ = nullptr;
    OverhangStrip* buttons_;
    IconButton* play_ = nullptr;
    IconButton* star_ = nullptr;
};

} // namespace vesk
