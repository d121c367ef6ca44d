#include "tabs/tasks/TaskGroup.hpp"

#include "shell/controls/BoxLayouts.hpp"
#include "shell/controls/KeyedRowList.hpp"
#include "tabs/tasks/TaskRow.hpp"

#include <QApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace vesk {

namespace {

constexpr int subtaskIndent = 26;

} // namespace

TaskGroup::TaskGroup(Store& store, TarnelUI& ui, ViewServices services, const TaskGroupContent& content,
                     QWidget* parent)
    : QWidget(parent), store_(store), ui_(ui), services_(services), content_(content) {
    auto* stack = columnLayout(this, 0);
    task_ = makeRow(content.task, this);
    stack->addWidget(task_);
    auto* indented = new QHBoxLayout;
    indented->setContentsMargins(subtaskIndent, 0, 0, 0);
    subtasks_ = new KeyedRowList(this);
    indented->addWidget(subtasks_);
    stack->addLayout(indented);
    showSubtasks();
}

int TaskGroup::estimatedHeight(const TaskGroupContent& content, int width) {
    int height = TaskRow::estimatedHeight(content.task, width);
    for (const TaskRowContent& subtask : content.subtasks)
        height += TaskRow::estimatedHeight(subtask, width - subtaskIndent);
    return height;
}

void TaskGroup::setContent(const TaskGroupContent& content) {
    if (content == content_) return;
    content_ = content;
    task_->setContent(content.task);
    showSubtasks();
    updateGeometry();
}

void TaskGroup::showSubtasks() {
    subtasks_->setRows(
        content_.subtasks, [](const TaskRowContent& row) { return row.id.uuidString(); },
        [this](const TaskRowContent& row, QWidget* parent) { return makeRow(row, parent); },
        [](QWidget* row, const TaskRowContent& content) { static_cast<TaskRow*>(row)->setContent(content); });
}

TaskRow* TaskGroup::makeRow(const TaskRowContent& content, QWidget* parent) {
    auto* row = new TaskRow(store_, ui_, services_, content, parent);
    row->installEventFilter(this);
    return row;
}

bool TaskGroup::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    const auto& mouse = static_cast<const QMouseEvent&>(*event);
    const QPoint at = static_cast<QWidget*>(watched)->mapTo(this, mouse.position().toPoint());
    if (type == QEvent::MouseButtonPress && mouse.button() == Qt::LeftButton) {
        pressedAt_ = at;
    } else if (type == QEvent::MouseMove && pressedAt_ && (mouse.buttons() & Qt::LeftButton) &&
               (at - *pressedAt_).manhattanLength() >= QApplication::startDragDistance()) {
        const QPoint grabbed = *pressedAt_;
        pressedAt_.reset();
        // The drag takes the pointer: the row neither stays pressed nor clicks at the drop.
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(watched, &leave);
        if (onDragStart_) onDragStart_(grabbed);
        return true;
    } else if (type == QEvent::MouseButtonRelease) {
        pressedAt_.reset();
    }
    return QWidget::eventFilter(watched, event);
}

TaskRow* TaskGroup::subtaskRow(const UUID& id) const {
    return static_cast<TaskRow*>(subtasks_->row(id.uuidString()));
}

} // namespace vesk
