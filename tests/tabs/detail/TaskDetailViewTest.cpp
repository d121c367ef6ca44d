#include "tabs/detail/TaskDetailView.hpp"

#include "core/model/TaskViews.hpp"
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
#include <QClipboard>
#include <QMimeData>
#include <QPointer>
#include <QScrollBar>
#include <functional>
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
        view = std::make_unique<TaskDetailView>(store, ui, ViewServices{clock, calendar, queue, random}, id);
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
    EXPECT_EQ(taskWithID(store.tasks.get(), id)->title, "Plan week");
    queue.advance(0.3);
    EXPECT_EQ(writes(), before);
    queue.advance(0.1);
    EXPECT_EQ(writes(), before + 1);
    EXPECT_EQ(onDisk()->tasks[0].title, "Plan week");
    EXPECT_FALSE(store.undoLabel.get());

    test::pressKey(detail.titleField(), Qt::Key_Return);
    EXPECT_EQ(taskWithID(store.tasks.get(), id)->title, "Plan week"); // no line break
    EXPECT_TRUE(detail.notesField()->hasFocus());
}

TEST_F(TaskDetailViewTest, TabMovesTheKeyboardAndReturnPutsTheCaretAfterTheNotes) {
    test::edit(store, &Snapshot::tasks, [&](auto& all) { all[0].notes = "Sections 3-4"; });
    TaskDetailView& detail = show();
    GrowingTextEdit& title = *detail.titleField();
    GrowingTextEdit& notes = *detail.notesField();
    title.setFocus();
    test::pressKey(&title, Qt::Key_Tab);
    EXPECT_TRUE(notes.hasFocus());
    test::pressKey(&notes, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(title.hasFocus());
    EXPECT_EQ(taskWithID(store.tasks.get(), id)->title, "Plan"); // no tab character

    test::pressKey(&title, Qt::Key_Return);
    test::typeText(&notes, "!");
    EXPECT_EQ(taskWithID(store.tasks.get(), id)->notes, "Sections 3-4!");

    // An edit from elsewhere keeps the caret where it was, within the new text.
    notes.moveCursor(QTextCursor::Start);
    notes.moveCursor(QTextCursor::NextWord);
    const int caret = notes.textCursor().position();
    store.update(id, [](TaskItem& task) { task.notes = "Sections 3-5!"; });
    EXPECT_EQ(notes.textCursor().position(), caret);
    store.update(id, [](TaskItem& task) { task.notes = "S"; });
    EXPECT_EQ(notes.textCursor().position(), 1);
}

TEST_F(TaskDetailViewTest, LongNotesShowTheirBeginningOnceTheKeyboardLeaves) {
    test::edit(store, &Snapshot::tasks, [&](auto& all) { all[0].notes = "1\n2\n3\n4\n5\n6\n7\n8\n9\n10"; });
    TaskDetailView& detail = show();
    GrowingTextEdit& notes = *detail.notesField();
    notes.setFocus();
    notes.moveCursor(QTextCursor::End);
    test::typeText(&notes, "!");
    ASSERT_GT(notes.verticalScrollBar()->value(), 0); // scrolled to the caret while typing
    detail.titleField()->setFocus();
    EXPECT_EQ(notes.verticalScrollBar()->value(), 0);
}

TEST_F(TaskDetailViewTest, PastingFromAClipboardWithNoFormatsChangesNothing) {
    const UUID step = *store.addTask("Step", id, std::nullopt);
    TaskDetailView& detail = show();
    // What the clipboard holds when the program that copied has quit and no manager runs.
    QGuiApplication::clipboard()->setMimeData(new QMimeData);
    const std::vector<QWidget*> fields{detail.titleField(), detail.notesField(),
                                       detail.subtasks()->addField(),
                                       detail.subtasks()->row(step)->titleField()};
    for (QWidget* field : fields) {
        field->setFocus();
        test::pressKey(field, Qt::Key_V, Qt::ControlModifier);
    }
    EXPECT_EQ(taskWithID(store.tasks.get(), id)->title, "Plan");
    EXPECT_EQ(taskWithID(store.tasks.get(), id)->notes, "");
    EXPECT_EQ(taskWithID(store.tasks.get(), step)->title, "Step");

    auto* text = new QMimeData;
    text->setText("Plain");
    text->setHtml("<b>Rich</b>");
    QGuiApplication::clipboard()->setMimeData(text);
    detail.notesField()->setFocus();
    test::pressKey(detail.notesField(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(taskWithID(store.tasks.get(), id)->notes, "Plain"); // plain text only
}

// A view torn down with a field focused inside it, while hidden (as a screen that left a
// closed tarnel is): no handler may reach a half-destroyed view. The sanitizer build checks it.
TEST_F(TaskDetailViewTest, TornDownWhileHiddenWithAFieldFocused) {
    const UUID step = *store.addTask("Step", id, std::nullopt);
    const std::vector<std::function<QWidget*(TaskDetailView&)>> fields{
        [&](TaskDetailView& d) -> QWidget* { return d.subtasks()->row(step)->titleField(); },
        [](TaskDetailView& d) -> QWidget* { return d.subtasks()->addField(); },
        [](TaskDetailView& d) -> QWidget* { return d.titleField(); },
        [](TaskDetailView& d) -> QWidget* { return d.notesField(); }};
    for (const auto& field : fields) {
        QWidget window;
        TaskDetailView& detail = show();
        detail.setParent(&window);
        window.show();
        QApplication::setActiveWindow(&window);
        QWidget* focused = field(detail);
        focused->setFocus();
        ASSERT_TRUE(focused->hasFocus());
        // Hidden inside a window that stays: nothing else takes the keyboard.
        detail.hide();
        ASSERT_TRUE(focused->hasFocus());
        view.reset();
    }
}

TEST_F(TaskDetailViewTest, APickedDaySetsTheDateAndClosesTheCalendar) {
    TaskDetailView& detail = show();
    DueDateSection& due = *detail.dueSection();
    due.pickChip()->click();
    ASSERT_TRUE(due.calendarOpen());
    EXPECT_TRUE(due.pickChip()->isSelected());
    test::click(due.calendar()->dayCells()[20]);
    EXPECT_FALSE(due.calendarOpen());
    ASSERT_TRUE(taskWithID(store.tasks.get(), id)->due);
    // The 21st day of the month the calendar opened on.
    EXPECT_EQ(calendar.civil(*taskWithID(store.tasks.get(), id)->due).day, 21);
}

TEST_F(TaskDetailViewTest, SubtasksAreAddedTickedAndRenamedInPlace) {
    TaskDetailView& detail = show();
    SubtaskSection& section = *detail.subtasks();
    section.addField()->setFocus();
    test::typeText(section.addField(), "Draft");
    test::pressKey(section.addField(), Qt::Key_Return);
    test::typeText(section.addField(), "   ");
    test::pressKey(section.addField(), Qt::Key_Return);
    const auto subtasks = subtasksOf(store.tasks.get(), id, true);
    ASSERT_EQ(subtasks.size(), 1u);
    EXPECT_EQ(subtasks[0].title, "Draft");
    EXPECT_TRUE(section.addField()->text().isEmpty());
    EXPECT_TRUE(section.addField()->hasFocus());

    SubtaskRow* row = section.row(subtasks[0].id);
    ASSERT_TRUE(row);
    EXPECT_DOUBLE_EQ(row->deleteOpacity(), 0.6);
    test::click(row->checkCircle());
    EXPECT_TRUE(taskWithID(store.tasks.get(), subtasks[0].id)->completedAt);
    EXPECT_EQ(section.row(subtasks[0].id), row); // the same row, kept
    row->titleField()->setFocus();
    EXPECT_DOUBLE_EQ(row->deleteOpacity(), 1.0);
    test::typeText(row->titleField(), "!");
    EXPECT_EQ(taskWithID(store.tasks.get(), subtasks[0].id)->title, "Draft!");
}

TEST_F(TaskDetailViewTest, ATaskDeletedElsewhereClosesTheDetail) {
    show();
    store.deleteTask(id);
    QCoreApplication::processEvents();
    EXPECT_FALSE(ui.detailID.get());
}

} // namespace
} // namespace vesk
