#include "core/model/TaskViews.hpp"
#include "shell/WidgetEvents.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/controls/MenuButton.hpp"
#include "shell/controls/TextField.hpp"
#include "shell/controls/ThemedMenu.hpp"
#include "tabs/tasks/ListHeader.hpp"
#include "tabs/tasks/TaskGroup.hpp"
#include "tabs/tasks/TaskRow.hpp"
#include "tabs/tasks/TasksViewFixture.hpp"
#include "tabs/tasks/UndoPill.hpp"

#include <QContextMenuEvent>

namespace vesk {
namespace {

QAction* actionTitled(QMenu& menu, const QString& title) {
    for (QAction* action : menu.actions()) {
        if (action->text() == title) return action;
        if (QMenu* submenu = action->menu())
            if (QAction* inner = actionTitled(*submenu, title)) return inner;
    }
    return nullptr;
}

class ListManagementTest : public test::TasksViewFixture {
  protected:
    ListHeader& header() { return *view->header(); }
    TextField& nameField() { return *header().nameField(); }

    // Opens the menu and chooses the entry, as a click on it would, then lets the menu go.
    void choose(QMenu& menu, const QString& title) {
        QAction* action = actionTitled(menu, title);
        ASSERT_NE(action, nullptr) << title.toStdString();
        ASSERT_TRUE(action->isEnabled()) << title.toStdString();
        action->trigger();
        menu.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void choose(MenuButton* button, const QString& title) {
        test::click(button);
        ASSERT_NE(button->shownMenu(), nullptr);
        choose(*button->shownMenu(), title);
    }
    QMenu& contextMenu(TaskRow* row) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), row->mapToGlobal(QPoint(10, 10)));
        QCoreApplication::sendEvent(row, &event);
        return *row->findChild<ThemedMenu*>();
    }
    void type(const QString& text) { test::typeText(&nameField(), text); }
    void pressReturn() { test::pressKey(&nameField(), Qt::Key_Return); }
    void pressCancel() { test::pressKey(&nameField(), Qt::Key_Period, Qt::ControlModifier, "."); }
    bool pillShownAtOnce() {
        return view->undoPill()->isVisible() && Presence::of(view->undoPill())->presence() == 1.0;
    }
};

TEST_F(ListManagementTest, TheNameFieldCreatesRenamesAndCancelsWithCtrlPeriod) {
    choose(header().picker(), "New list…");
    EXPECT_TRUE(nameField().isVisible());
    EXPECT_FALSE(header().picker()->isVisible());
    EXPECT_TRUE(nameField().hasFocus());
    EXPECT_EQ(nameField().placeholderText(), "List name");
    type(" Errands");
    nameField().clearFocus(); // losing focus does not end it
    EXPECT_TRUE(nameField().isVisible());
    pressReturn();
    EXPECT_FALSE(nameField().isVisible());
    EXPECT_EQ(currentList(store->lists.get(), store->prefs.get())->name, " Errands");
    EXPECT_EQ(header().label().title, " Errands");

    choose(header().picker(), "Rename list…");
    EXPECT_EQ(nameField().text(), " Errands");
    nameField().clear();
    type("Home ");
    pressReturn();
    EXPECT_EQ(currentList(store->lists.get(), store->prefs.get())->name, "Home");
    EXPECT_TRUE(header().picker()->isVisible());

    // Ctrl+. leaves everything as it was, the typed name too.
    const auto lists = store->lists.get();
    choose(header().picker(), "Rename list…");
    type("work");
    pressCancel();
    choose(header().picker(), "New list…");
    type("Gone");
    pressCancel();
    EXPECT_FALSE(nameField().isVisible());
    EXPECT_FALSE(header().draft());
    EXPECT_EQ(store->lists.get(), lists);

    // Return at once on a new list creates nothing.
    choose(header().picker(), "New list…");
    pressReturn();
    EXPECT_EQ(store->lists.get(), lists);
}

TEST_F(ListManagementTest, AMenuOpensUnderItsButtonOnTheButtonsSideSoItStaysInside) {
    for (MenuButton* button : {header().picker(), header().filter()}) {
        test::click(button);
        QMenu* menu = button->shownMenu();
        ASSERT_NE(menu, nullptr);
        const QRect under(button->mapToGlobal(QPoint()), button->size());
        if (button == header().filter())
            EXPECT_EQ(menu->geometry().right(), under.right());
        else
            EXPECT_EQ(menu->geometry().left(), under.left());
        EXPECT_GT(menu->geometry().top(), under.bottom());
        menu->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(ListManagementTest, DeletingAListOrTheCompletedShowsTheUndoPillAtOnce) {
    const UUID work = store->addList("Work");
    choose(header().picker(), "Delete list");
    EXPECT_FALSE(currentList(store->lists.get(), store->prefs.get())->id == work);
    EXPECT_EQ(store->lists.get().size(), 1u);
    EXPECT_TRUE(pillShownAtOnce());
    EXPECT_EQ(view->undoPill()->label(), "Deleted “Work”");
    settle();

    const UUID done = add("done");
    add("open");
    store->toggleDone(done);
    choose(header().filter(), "Delete all completed");
    EXPECT_FALSE(taskWithID(store->tasks.get(), done));
    EXPECT_TRUE(pillShownAtOnce());
    EXPECT_EQ(view->undoPill()->label(), "Deleted 1 completed");

    choose(header().filter(), "Date");
    EXPECT_TRUE(store->prefs.get().sortByDate);
    choose(header().picker(), "Starred");
    EXPECT_TRUE(store->prefs.get().starredView);
    EXPECT_FALSE(header().filter()->isVisible());
}

TEST_F(ListManagementTest, EveryEntryOfTheTaskMenuActsOnTheRowsTask) {
    const UUID id = add("Buy milk");
    const UUID sub = *store->addTask("oat", id);
    const UUID work = store->addList("Work");
    store->selectList(store->lists.get().front().id);
    settle();
    TaskGroup* group = view->group(id);
    ASSERT_NE(group, nullptr);
    TaskRow* row = group->taskRow();

    choose(contextMenu(row), "Start pomodoro");
    EXPECT_EQ(store->timer.get().mode, TimerMode::pomodoro);
    EXPECT_EQ(store->timer.get().taskID, id);
    choose(contextMenu(group->subtaskRow(sub)), "Start stopwatch");
    EXPECT_EQ(store->timer.get().mode, TimerMode::stopwatch);
    EXPECT_EQ(store->timer.get().taskID, sub);
    EXPECT_EQ(ui->tab.get(), TarnelUI::Tab::tasks);

    choose(contextMenu(row), "Star");
    EXPECT_TRUE(taskWithID(store->tasks.get(), id)->starred);
    choose(contextMenu(row), "Remove star");
    EXPECT_FALSE(taskWithID(store->tasks.get(), id)->starred);
    const Date today = calendar.startOfDay(clock.now());
    choose(contextMenu(row), "Due tomorrow");
    EXPECT_EQ(taskWithID(store->tasks.get(), id)->due, calendar.addingDays(today, 1));
    choose(contextMenu(row), "Due today");
    EXPECT_EQ(taskWithID(store->tasks.get(), id)->due, today);

    QMenu& moves = contextMenu(row);
    EXPECT_EQ(actionTitled(moves, "My Tasks"), nullptr); // its own list is no target
    choose(moves, "Work");
    EXPECT_EQ(taskWithID(store->tasks.get(), id)->listID, work);
    EXPECT_EQ(taskWithID(store->tasks.get(), sub)->listID, work);

    store->selectList(work);
    settle();
    choose(contextMenu(view->group(id)->taskRow()), "Delete");
    EXPECT_FALSE(taskWithID(store->tasks.get(), id));
    EXPECT_TRUE(view->undoPill()->isVisible());
    EXPECT_LT(Presence::of(view->undoPill())->presence(), 1.0); // a row's delete slides it in
}

} // namespace
} // namespace vesk
