#include "tabs/tasks/TasksView.hpp"

#include "core/model/TaskViews.hpp"
#include "core/model/TimerReadings.hpp"
#include "shell/WidgetEvents.hpp"
#include "shell/anim/AnimationManager.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/CheckCircle.hpp"
#include "shell/controls/IconButton.hpp"
#include "shell/controls/KeyedRowList.hpp"
#include "shell/controls/PlainButton.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/state/TourAnchor.hpp"
#include "support/StoreTestBed.hpp"
#include "tabs/tasks/AddTaskRow.hpp"
#include "tabs/tasks/CompletedHeader.hpp"
#include "tabs/tasks/CompletedRow.hpp"
#include "tabs/tasks/EmptyTasks.hpp"
#include "tabs/tasks/TaskGroup.hpp"
#include "tabs/tasks/TaskRow.hpp"
#include "tabs/tasks/TasksViewFixture.hpp"
#include "tabs/tasks/UndoPill.hpp"

#include <QApplication>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace vesk {
namespace {

using TasksViewTest = test::TasksViewFixture;

TEST_F(TasksViewTest, ReturnAddsOneTaskOnTopEmptiesTheFieldAndKeepsTheFocus) {
    EXPECT_TRUE(view->fullEmptyState()->isVisible());
    EXPECT_EQ(view->fullEmptyState()->title(), "No tasks yet");
    EXPECT_FALSE(view->scrollArea()->isVisible());

    view->addRow()->focusField();
    field().setText("  Buy milk ");
    pressReturn();
    field().setText("Call mom");
    pressReturn();
    field().setText("   ");
    pressReturn();

    const auto open = visibleOpenTasks(store->tasks.get(), store->lists.get(), store->prefs.get());
    ASSERT_EQ(open.size(), 2u);
    EXPECT_EQ(open[0].title, "Call mom");
    EXPECT_EQ(open[1].title, "Buy milk");
    EXPECT_EQ(gains(GainReason::created), 2u);
    EXPECT_TRUE(field().text().isEmpty());
    EXPECT_TRUE(field().hasFocus());
    settle();
    EXPECT_FALSE(view->fullEmptyState()->isVisible());
    EXPECT_EQ(view->rows()->targetTop(groupKey(open[0].id)), 0);
    EXPECT_GT(view->group(open[1].id)->y(), 0);
}

TEST_F(TasksViewTest, TheCheckCircleCompletesOnceAndTheRowLeavesForTheCompletedSection) {
    const UUID id = add("Buy milk");
    QApplication::processEvents(); // the list, shown in place of the empty state, is laid out
    QPointer<TaskGroup> group = view->group(id);
    ASSERT_TRUE(group);
    test::click(group->taskRow()->checkCircle());
    EXPECT_TRUE(taskWithID(store->tasks.get(), id)->completedAt);
    EXPECT_EQ(gains(GainReason::completed), 1u);
    ASSERT_TRUE(group); // fading out, not yet gone
    settle();
    EXPECT_TRUE(group.isNull());

    // All done: the compact state and the collapsed section, which opens on a click.
    EXPECT_NE(view->rows()->row("empty"), nullptr);
    CompletedHeader* header = view->completedHeader();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->text(), "Completed (1)");
    EXPECT_EQ(view->completedRow(id), nullptr);
    test::click(header);
    settle();
    ASSERT_NE(view->completedRow(id), nullptr);

    // Its circle reopens it, with no second reward.
    test::click(view->completedRow(id)->checkCircle());
    settle();
    EXPECT_FALSE(taskWithID(store->tasks.get(), id)->completedAt);
    EXPECT_EQ(gains(GainReason::completed), 1u);
    EXPECT_NE(view->group(id), nullptr);
}

TEST_F(TasksViewTest, TheUndoPillOffersTheStoresStepAndLeavesOnUndoOrAfterSixSeconds) {
    const UUID id = add("Buy milk");
    UndoPill* pill = view->undoPill();
    EXPECT_FALSE(pill->isVisible());

    withAnimation(Animation::tarnelFast, [&] { store->deleteTask(id); });
    EXPECT_TRUE(pill->isVisible());
    EXPECT_EQ(pill->label(), "Deleted “Buy milk”");
    EXPECT_LT(Presence::of(pill)->presence(), 1.0); // slides in
    settle();
    EXPECT_EQ(pill->y() + pill->height(), view->height());

    test::click(pill->undoButton());
    EXPECT_TRUE(taskWithID(store->tasks.get(), id));
    settle();
    EXPECT_FALSE(pill->isVisible());
    EXPECT_NE(view->group(id), nullptr);

    withAnimation(Animation::tarnelFast, [&] { store->deleteTask(id); });
    settle();
    queue.advance(6);
    EXPECT_FALSE(pill->isVisible()); // at once: the expiry is not animated
    EXPECT_FALSE(taskWithID(store->tasks.get(), id));
}

TEST_F(TasksViewTest, ALongNameIsCutInsideItsQuotesSoUndoStaysWholeAndClickable) {
    const std::string title(200, 'w');
    const UUID id = add(title.c_str());
    withAnimation(Animation::tarnelFast, [&] { store->deleteTask(id); });
    settle();
    UndoPill* pill = view->undoPill();
    EXPECT_EQ(pill->label().toStdString(), "Deleted “" + title + "”"); // the store's label, whole
    EXPECT_LE(pill->width(), view->width());
    const QRect undo(pill->undoButton()->mapTo(view.get(), QPoint()), pill->undoButton()->size());
    EXPECT_TRUE(view->rect().contains(undo));
    EXPECT_GE(undo.width(), pill->undoButton()->sizeHint().width());
    const QString shown = pill->findChild<TextLabel*>()->text();
    EXPECT_TRUE(shown.startsWith("Deleted “wwww"));
    EXPECT_TRUE(shown.endsWith("…”"));
    test::click(pill->undoButton());
    EXPECT_TRUE(taskWithID(store->tasks.get(), id));

    const QFontMetricsF metrics(QFont{});
    EXPECT_EQ(fittedUndoLabel("Deleted “Tea”", metrics, 1000), "Deleted “Tea”");
    const QString cut = fittedUndoLabel("Deleted “Café ☕ 🎉 and a long tail”", metrics,
                                        metrics.horizontalAdvance("Deleted “Café ☕ …”") + 1);
    EXPECT_TRUE(cut.startsWith("Deleted “Café")) << cut.toStdString();
    EXPECT_TRUE(cut.endsWith("…”")) << cut.toStdString();
    EXPECT_FALSE(cut.at(cut.size() - 3).isHighSurrogate()); // never half an emoji
}

TEST_F(TasksViewTest, ScriptedTypingTypesIntoTheFieldThenAdds) {
    ui->typeScripted("Buy milk");
    EXPECT_TRUE(field().hasFocus());
    queue.advance(0.3);
    EXPECT_TRUE(QString("Buy milk").startsWith(field().text()));
    EXPECT_GE(field().text().size(), 4);
    queue.advance(0.6);
    EXPECT_TRUE(store->tasks.get().empty()); // added at 8 × 0.07 + 0.35 = 0.91 s
    queue.advance(0.02);
    ASSERT_EQ(store->tasks.get().size(), 1u);
    EXPECT_EQ(store->tasks.get()[0].title, "Buy milk");
    EXPECT_TRUE(field().text().isEmpty());

    // The steps of a view that is gone do nothing.
    ui->typeScripted("Gone");
    view.reset();
    queue.advance(2);
    EXPECT_EQ(store->tasks.get().size(), 1u);
}

TEST_F(TasksViewTest, RowsKeepTheirWidgetsHoverAndMotionAcrossModelChanges) {
    const UUID a = add("a");
    const UUID b = add("b");
    QPointer<TaskGroup> groupA = view->group(a);
    TaskRow* rowA = groupA->taskRow();
    test::hover(rowA);
    ASSERT_NE(rowA->starButton(), nullptr);
    EXPECT_TRUE(rowA->starButton()->isVisible());

    // A new task on top pushes the others down along the animation.
    withAnimation(Animation::tarnelFast, [&] { add("c"); });
    runFrames(4);
    const int midway = groupA->y();
    EXPECT_GT(midway, view->rows()->row(groupKey(b))->height());

    // Elsewhere: a star, a change of preferences. Same widgets, still hovered, still moving.
    store->toggleStar(b);
    store->writePrefs([](Prefs& prefs) { prefs.sound = !prefs.sound; });
    EXPECT_EQ(view->group(a), groupA.data());
    EXPECT_TRUE(rowA->isHovered());
    runFrames(2);
    EXPECT_GT(groupA->y(), midway);
    EXPECT_LT(groupA->y(), view->rows()->targetTop(groupKey(a)));
}

TEST_F(TasksViewTest, HoverShowsPlayAndStarWhichActOnTheTaskAndATapOpensIt) {
    ui->beginTaskStep(); // the tour's own task
    const UUID id = *ui->tourTaskID.get();
    QApplication::processEvents();
    TaskRow* row = view->group(id)->taskRow();
    EXPECT_EQ(tourAnchorOf(row->checkCircle()), TourTarget::welcomeCheck);
    EXPECT_EQ(tourAnchorOf(view->addRow()), TourTarget::addField);
    EXPECT_EQ(row->playButton(), nullptr); // not built before it is needed

    test::hover(row);
    ASSERT_NE(row->playButton(), nullptr);
    EXPECT_TRUE(row->playButton()->isVisible());
    test::click(row->starButton());
    EXPECT_TRUE(taskWithID(store->tasks.get(), id)->starred);
    test::click(row->playButton());
    EXPECT_EQ(store->timer.get().taskID, id);
    EXPECT_EQ(store->timer.get().mode, TimerMode::pomodoro);
    EXPECT_TRUE(isTimerActive(store->timer.get()));
    EXPECT_EQ(ui->tab.get(), TarnelUI::Tab::tasks);
    // In focus now: no play button, even under the pointer.
    EXPECT_FALSE(row->playButton()->isVisible());
    EXPECT_TRUE(row->factsLine()->isVisible());

    test::unhover(row);
    EXPECT_TRUE(row->starButton()->isVisible()); // starred: always
    test::click(row);
    EXPECT_EQ(ui->detailID.get(), id);
}

TEST_F(TasksViewTest, AFocusRequestFocusesTheFieldOfAViewThatHeardIt) {
    ui->requestFocusAdd();
    view = makeView();
    EXPECT_FALSE(field().hasFocus());
    ui->requestFocusAdd();
    EXPECT_TRUE(field().hasFocus());
}

TEST_F(TasksViewTest, TabFromTheAddFieldGoesOnlyToAFieldThatShowsItHasTheKeyboard) {
    add("Water the moss");
    settle();
    ui->requestFocusAdd();
    ASSERT_TRUE(field().hasFocus());
    test::pressKey(&field(), Qt::Key_Tab);
    const QWidget* now = QApplication::focusWidget();
    EXPECT_TRUE(qobject_cast<const QLineEdit*>(now) || qobject_cast<const QPlainTextEdit*>(now))
        << (now ? now->metaObject()->className() : "nothing");
}

TEST_F(TasksViewTest, ANewFirstTaskScrollsToTheTop) {
    for (int i = 0; i < 30; ++i)
        add("task");
    settle();
    QScrollBar* bar = view->scrollArea()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum());
    withAnimation(Animation::tarnelFast, [&] { add("new"); });
    settle();
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(TasksViewTest, TheTourScrollsItsTaskIntoViewWhereDateSortingPutsItLast) {
    store->writePrefs([](Prefs& prefs) { prefs.sortByDate = true; });
    for (int i = 0; i < 12; ++i) {
        const UUID id = add("dated");
        store->update(id, [&](TaskItem& task) { task.due = clock.now() + std::chrono::hours(24 * i); });
    }
    settle();
    ui->setTour(TourStep::seedling);
    ui->beginTaskStep();
    settle();
    settle(); // the rows built on the way move it once more
    TaskGroup* row = view->group(*ui->tourTaskID.get());
    ASSERT_TRUE(row);
    const QWidget* shown = view->scrollArea()->viewport();
    const int top = row->mapTo(shown, QPoint(0, 0)).y();
    EXPECT_GE(top, 0);
    EXPECT_LE(top + row->height(), shown->height());
}

} // namespace
} // namespace vesk
