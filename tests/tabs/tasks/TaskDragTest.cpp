#include "tabs/tasks/TaskDrag.hpp"

#include "core/model/TaskViews.hpp"
#include "shell/controls/KeyedRowList.hpp"
#include "tabs/tasks/EmptyTasks.hpp"
#include "tabs/tasks/TaskGroup.hpp"
#include "tabs/tasks/TaskRow.hpp"
#include "tabs/tasks/TasksViewFixture.hpp"

#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>

namespace vesk {
namespace {

class TaskDragTest : public test::TasksViewFixture {
  protected:
    TaskDragTest() {
        third = add("third");
        second = add("second");
        first = add("first");
        settle();
    }

    std::vector<std::string> order() const {
        std::vector<std::string> titles;
        for (const TaskItem& task :
             visibleOpenTasks(store->tasks.get(), store->lists.get(), store->prefs.get()))
            titles.push_back(task.title);
        return titles;
    }
    QWidget* groupOf(const UUID& id) { return view->group(id); }

    // A drag event delivered to `target` as the window system would (moves and drops go where
    // the last accepted entry went); returns whether it was accepted, with the action taken.
    static bool deliver(QWidget* target, QEvent::Type type, const QMimeData* data,
                        Qt::DropAction* action = nullptr) {
        const QPointF at = QRectF(target->rect()).center();
        const Qt::DropActions offered = Qt::MoveAction | Qt::CopyAction;
        std::unique_ptr<QDropEvent> event;
        if (type == QEvent::DragEnter)
            event = std::make_unique<QDragEnterEvent>(at.toPoint(), offered, data, Qt::LeftButton,
                                                      Qt::NoModifier);
        else if (type == QEvent::DragMove)
            event =
                std::make_unique<QDragMoveEvent>(at.toPoint(), offered, data, Qt::LeftButton, Qt::NoModifier);
        else
            event = std::make_unique<QDropEvent>(at, offered, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, event.get());
        if (action) *action = event->dropAction();
        return event->isAccepted();
    }

    // A press on the row, then a move with the button held far enough to start a drag.
    static void pressAndPull(QWidget* row) {
        const QPointF at = QRectF(row->rect()).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, row->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(row, &press);
        const QPointF pulled = at - QPointF(0, 30);
        QMouseEvent move(QEvent::MouseMove, pulled, row->mapToGlobal(pulled), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(row, &move);
    }

    UUID first, second, third;
};

TEST_F(TaskDragTest, PullingTheThirdGroupOverTheOthersMovesItToTheTopAsItGoes) {
    store->writePrefs([](Prefs& prefs) { prefs.sortByDate = true; });
    std::vector<std::vector<std::string>> seen;
    QString payload;
    std::optional<UUID> draggingDuring;
    view->drag()->setRunner([&](QDrag& drag) {
        payload = drag.mimeData()->text();
        draggingDuring = view->drag()->dragging();
        const QMimeData* data = drag.mimeData();
        // Over its own group first: nothing moves.
        EXPECT_TRUE(deliver(groupOf(third), QEvent::DragEnter, data));
        seen.push_back(order());
        for (const UUID& over : {second, first}) {
            Qt::DropAction action = Qt::IgnoreAction;
            EXPECT_TRUE(deliver(groupOf(over), QEvent::DragEnter, data, &action));
            EXPECT_EQ(action, Qt::MoveAction);
            EXPECT_TRUE(deliver(groupOf(over), QEvent::DragMove, data));
            seen.push_back(order());
        }
        settle();
        EXPECT_TRUE(deliver(groupOf(third), QEvent::DragEnter, data));
        EXPECT_TRUE(deliver(groupOf(third), QEvent::Drop, data));
        EXPECT_FALSE(view->drag()->dragging()); // the drop ended it
        return Qt::MoveAction;
    });
    TaskRow* row = view->group(third)->taskRow();
    pressAndPull(row);

    EXPECT_EQ(payload, QString::fromStdString(third.uuidString()));
    EXPECT_EQ(payload, payload.toUpper());
    EXPECT_EQ(draggingDuring, third);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_EQ(seen[1], (std::vector<std::string>{"first", "third", "second"}));
    EXPECT_EQ(seen[2], (std::vector<std::string>{"third", "first", "second"}));
    EXPECT_FALSE(store->prefs.get().sortByDate);
    EXPECT_EQ(taskWithID(store->tasks.get(), third)->order, 0);
    EXPECT_EQ(taskWithID(store->tasks.get(), second)->order, 2);
    EXPECT_FALSE(row->isPressed());
    EXPECT_EQ(ui->detailID.get(), std::nullopt); // the press did not become a tap
}

TEST_F(TaskDragTest, ADragThatEndsOutsideTheListLeavesNothingBehind) {
    view->drag()->setRunner([](QDrag&) { return Qt::IgnoreAction; });
    TaskRow* row = view->group(second)->taskRow();
    pressAndPull(row);
    EXPECT_FALSE(view->drag()->dragging());
    EXPECT_FALSE(row->isPressed());
    EXPECT_FALSE(row->isHovered());

    // Text dropped in a gap of the list is taken too.
    QMimeData data;
    data.setText("anything");
    QWidget* gap = view->rows()->parentWidget();
    EXPECT_TRUE(deliver(gap, QEvent::DragEnter, &data));
    EXPECT_TRUE(deliver(gap, QEvent::Drop, &data));
}

TEST_F(TaskDragTest, TextFromAnotherProgramIsTakenAsACopyAndMovesNothing) {
    QMimeData text;
    text.setText(QString::fromStdString(third.uuidString()));
    for (const UUID& over : {third, first}) {
        Qt::DropAction action = Qt::IgnoreAction;
        EXPECT_TRUE(deliver(groupOf(over), QEvent::DragEnter, &text, &action));
        EXPECT_EQ(action, Qt::CopyAction);
        EXPECT_TRUE(deliver(groupOf(over), QEvent::Drop, &text, &action));
        EXPECT_EQ(action, Qt::CopyAction);
    }
    EXPECT_EQ(order(), (std::vector<std::string>{"first", "second", "third"}));
    QMimeData image;
    image.setImageData(QImage(2, 2, QImage::Format_RGB32));
    EXPECT_FALSE(deliver(groupOf(first), QEvent::DragEnter, &image));

    // With no task at all, the empty state takes no drop.
    for (const UUID& id : {first, second, third})
        store->deleteTask(id);
    EXPECT_TRUE(view->fullEmptyState()->isVisible());
    EXPECT_FALSE(deliver(view->fullEmptyState(), QEvent::DragEnter, &text));
}

} // namespace
} // namespace vesk
