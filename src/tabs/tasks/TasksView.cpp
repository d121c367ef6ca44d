#include "tabs/tasks/TasksView.hpp"

#include "core/store/Store.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/BoxLayouts.hpp"
#include "shell/controls/ClearScroll.hpp"
#include "shell/controls/KeyedRowList.hpp"
#include "shell/state/TarnelUI.hpp"
#include "tabs/tasks/AddTaskRow.hpp"
#include "tabs/tasks/CompletedHeader.hpp"
#include "tabs/tasks/CompletedRow.hpp"
#include "tabs/tasks/EmptyTasks.hpp"
#include "tabs/tasks/ListHeader.hpp"
#include "tabs/tasks/TaskDrag.hpp"
#include "tabs/tasks/TaskGroup.hpp"
#include "tabs/tasks/UndoPill.hpp"

#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cmath>

namespace vesk {

namespace {

// The compact empty state heads the list, so it is built at once; this only bridges that.
constexpr int compactEmptyGuess = 80;

} // namespace

TasksView::TasksView(Store& store, TarnelUI& ui, ViewServices services, QWidget* parent)
    : QWidget(parent), store_(store), ui_(ui), services_(services), scrollTop_(0.0, [this] {
          scroll_->verticalScrollBar()->setValue(static_cast<int>(std::lround(scrollTop_.value())));
      }) {
    auto* stack = columnLayout(this, 8);

    header_ = new ListHeader(store, this);
    stack->addWidget(header_);

    addRow_ = new AddTaskRow(store, services, this);
    stack->addWidget(addRow_);

    fullEmpty_ = new EmptyTasks(EmptyTasks::Size::full, this);
    stack->addWidget(fullEmpty_, 1);

    auto* list = new QWidget;
    auto* column = new QVBoxLayout(list);
    column->setContentsMargins(2, 0, 2, 8);
    column->setSpacing(0);
    rows_ = new KeyedRowList(list);
    rows_->setSpacing(2);
    column->addWidget(rows_);
    column->addStretch(1);
    scroll_ = clearScrollArea(list, this);
    // Drops anywhere on the list end a drag: between groups, on the completed section.
    drag_ = new TaskDrag(store, list);
    stack->addWidget(scroll_, 1);

    pill_ = new UndoPill(store, this);

    scroll_->viewport()->installEventFilter(this);
    rows_->installEventFilter(this);
    content_.bind(
        {store_.tasks, store_.lists, store_.prefs, store_.sessions, store_.timer, store_.now, ui_.tourTaskID},
        [this] { return tasksContent(store_, ui_.tourTaskID.get(), showCompleted_, services_.today()); },
        [this](const ContentChange<TasksContent>& change) { apply(change); });
    observations_.watch({ui_.tourTaskID, ui_.tour}, [this] { showTourTask(); });
    observations_.listen(ui_.focusAddRequested, [this] { addRow_->focusField(); });
    observations_.listen(ui_.scriptedTyping,
                         [this](const std::string& text) { addRow_->typeOut(QString::fromStdString(text)); });
}

void TasksView::apply(const ContentChange<TasksContent>& change) {
    // The rows first: showing the list may build rows, which must find this content.
    rows_->setRows(
        listRows(change.now), [](const TasksListRow& row) { return row.key; },
        [this](const TasksListRow& row, QWidget* parent) { return makeRow(row, parent); },
        [this](QWidget* widget, const TasksListRow& row) { updateRow(widget, row); },
        // A long list builds its rows as they scroll into view.
        [this](const TasksListRow& row, int width) { return estimateRow(row, width); });

    fullEmpty_->setVisible(change.now.fullEmpty);
    fullEmpty_->setStarred(change.now.starredView);
    scroll_->setVisible(!change.now.fullEmpty);

    // A new task at the top, a reorder or a completion brings the new first task into view;
    // not on the first showing.
    const std::optional<UUID> first = change.now.firstOpenID();
    if (change.before && first && first != change.before->firstOpenID()) scrollToGroup(*first);
}

QWidget* TasksView::makeRow(const TasksListRow& row, QWidget* parent) {
    using Kind = TasksListRow::Kind;
    switch (row.kind) {
    case Kind::compactEmpty:
        return new EmptyTasks(EmptyTasks::Size::compact, parent);
    case Kind::group: {
        auto* group = new TaskGroup(store_, ui_, services_, content().groups[row.index], parent);
        drag_->addGroup(group);
        return group;
    }
    case Kind::completedHeader: {
        auto* header = new CompletedHeader(content().completedCount, showCompleted_, parent);
        header->setAction([this] { toggleCompleted(); });
        return header;
    }
    case Kind::completed:
        return new CompletedRow(store_, ui_, content().completed[row.index], parent);
    }
    return nullptr;
}

void TasksView::updateRow(QWidget* widget, const TasksListRow& row) {
    using Kind = TasksListRow::Kind;
    switch (row.kind) {
    case Kind::compactEmpty:
        return;
    case Kind::group:
        return static_cast<TaskGroup*>(widget)->setContent(content().groups[row.index]);
    case Kind::completedHeader: {
        auto* header = static_cast<CompletedHeader*>(widget);
        header->setCount(content().completedCount);
        header->setOpen(showCompleted_);
        return;
    }
    case Kind::completed:
        return static_cast<CompletedRow*>(widget)->setContent(content().completed[row.index]);
    }
}

int TasksView::estimateRow(const TasksListRow& row, int width) const {
    using Kind = TasksListRow::Kind;
    switch (row.kind) {
    case Kind::compactEmpty:
        return compactEmptyGuess;
    case Kind::group:
        return TaskGroup::estimatedHeight(content().groups[row.index], width);
    case Kind::completedHeader:
        return CompletedHeader::fixedHeight();
    case Kind::completed:
        return CompletedRow::fixedHeight();
    }
    return 0;
}

void TasksView::toggleCompleted() {
    withAnimation(Animation::tarnelFast, [this] {
        showCompleted_ = !showCompleted_;
        content_.refresh();
    });
}

void TasksView::scrollToGroup(const UUID& id) {
    scrollTo(rows_->y() + rows_->targetTop(groupKey(id)));
}

void TasksView::scrollTo(int top) {
    scrollTop_.jump(scroll_->verticalScrollBar()->value());
    withAnimation(Animation::tarnelFast, [&] { scrollTop_.set(top); });
}

void TasksView::showTourTask() {
    // The tour's task step spotlights the tour task's check: off screen (sorted last by date,
    // say) its row is brought into view, and so built, for the spotlight to find it.
    const auto id = ui_.tourTaskID.get();
    if (ui_.tour.get() != TourStep::completeTask || !id) return;
    const std::string key = groupKey(*id);
    const int height = rows_->targetHeight(key);
    if (height == 0) return;
    const int top = rows_->y() + rows_->targetTop(key);
    const int shown = scroll_->verticalScrollBar()->value();
    const int target = scrollToShow(top, top + height, shown, scroll_->viewport()->height());
    if (target != shown) scrollTo(target);
}

bool TasksView::eventFilter(QObject* watched, QEvent* event) {
    // A list shown for the first time learns its height only now, and rows built as they
    // scroll into view move the ones below them from where their estimates put them.
    // Looked at once the change is through: a row built by the scroll itself resizes the list.
    if ((watched == scroll_->viewport() || watched == rows_) && event->type() == QEvent::Resize &&
        !tourTaskQueued_) {
        tourTaskQueued_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                tourTaskQueued_ = false;
                showTourTask();
            },
            Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

TaskGroup* TasksView::group(const UUID& id) const {
    return static_cast<TaskGroup*>(rows_->row(groupKey(id)));
}

CompletedRow* TasksView::completedRow(const UUID& id) const {
    return static_cast<CompletedRow*>(rows_->row(completedRowKey(id)));
}

CompletedHeader* TasksView::completedHeader() const {
    return static_cast<CompletedHeader*>(rows_->row(completedHeaderKey));
}

} // namespace vesk
