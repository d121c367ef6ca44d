#include "tabs/detail/TaskDetailView.hpp"

#include "shell/WidgetEvents.hpp"
#include "shell/controls/CheckCircle.hpp"
#include "shell/controls/Chip.hpp"
#include "shell/controls/MiniCalendar.hpp"
#include "shell/controls/TextField.hpp"
#include "shell/state/TarnelUI.hpp"
#include "support/StoreTestBed.hpp"
#include "tabs/detail/DueDateSection.hpp"
#include "tabs/detail/SubtaskSection.hpp"

#include <QApplication>
#include <QPointer>
#include <gtest/gtest.h>

namespace vesk {
namespace {

class TaskDetailViewTest : public ::testing::Test, protected test::StoreTestBed {
  protected:
    Store& store = open();
    TarnelUI ui{store, queue};
    UUID id = *store.addTask("Plan");
    std::unique_ptr<TaskDetailView> view;

    TaskDetailView& show() {
        queue.advance(1); // the task's own save is done
        ui.openDetail(id);
        view = std::make_unique<TaskDetailView>(store, ui, id);
        view->resize(378, 420);
        view->show();
        // Keyboard focus needs an active window.
        QApplication::setActiveWindow(view.get());
        return *view;
    }
};

TEST_F(TaskDetailViewTest, TypingWritesTheStoreOnEachKeyAndSavesOnceAfterTheLast) {
    TaskDetailView& detail = show();
    const std::size_t before = writes();
    detail.titleField()->setFocus();
    detail.titleField()->moveCursor(QTextCursor::End);
    test::typeText(detail.titleField(), " week");
    EXPECT_EQ(store.task(id)->title, "Plan week");
    queue.advance(0.3);
    EXPECT_EQ(writes(), before);
    queue.advance(0.1);
    EXPECT_EQ(writes(), before + 1);
    EXPECT_EQ(onDisk()->tasks[0].title, "Plan week");
    EXPECT_FALSE(store.undoLabel.get());

    test::pressKey(detail.titleField(), Qt::Key_Return);
    EXPECT_EQ(store.task(id)->title, "Plan week"); // no line break
    EXPECT_TRUE(detail.notesField()->hasFocus());
}

TEST_F(TaskDetailViewTest, APickedDaySetsTheDateAndClosesTheCalendar) {
    TaskDetailView& detail = show();
    DueDateSection& due = *detail.dueSection();
    due.pickChip()->click();
    ASSERT_TRUE(due.calendarOpen());
    EXPECT_TRUE(due.pickChip()->isSelected());
    test::click(due.calendar()->dayCells()[20]);
    EXPECT_FALSE(due.calendarOpen());
    ASSERT_TRUE(store.task(id)->due);
    // The 21st day of the month the calendar opened on.
    EXPECT_EQ(calendar.civil(*store.task(id)->due).day, 21);
}

TEST_F(TaskDetailViewTest, SubtasksAreAddedTickedAndRenamedInPlace) {
    TaskDetailView& detail = show();
    SubtaskSection& section = *detail.subtasks();
    section.addField()->setFocus();
    test::typeText(section.addField(), "Draft");
    test::pressKey(section.addField(), Qt::Key_Return);
    test::typeText(section.addField(), "   ");
    test::pressKey(section.addField(), Qt::Key_Return);
    const auto subtasks = store.subtasks(id, true);
    ASSERT_EQ(subtasks.size(), 1u);
    EXPECT_EQ(subtasks[0].title, "Draft");
    EXPECT_TRUE(section.addField()->text().isEmpty());
    EXPECT_TRUE(section.addField()->hasFocus());

    SubtaskRow* row = section.row(subtasks[0].id);
    ASSERT_TRUE(row);
    EXPECT_DOUBLE_EQ(row->deleteOpacity(), 0.6);
    test::click(row->checkCircle());
    EXPECT_TRUE(store.task(subtasks[0].id)->completedAt);
    EXPECT_EQ(section.row(subtasks[0].id), row); // the same row, kept
    row->titleField()->setFocus();
    EXPECT_DOUBLE_EQ(row->deleteOpacity(), 1.0);
    test::typeText(row->titleField(), "!");
    EXPECT_EQ(store.task(subtasks[0].id)->title, "Draft!");
}

TEST_F(TaskDetailViewTest, ATaskDeletedElsewhereClosesTheDetail) {
    show();
    store.deleteTask(id);
    QCoreApplication::processEvents();
    EXPECT_FALSE(ui.detailID.get());
}

} // namespace
} // namespace vesk
