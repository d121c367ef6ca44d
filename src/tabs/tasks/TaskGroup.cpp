#include "tabs/tasks/TaskGroup.hpp"

#include "shell/controls/KeyedRowList.hpp"
#include "tabs/tasks/TaskRow.hpp"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace vesk {

namespace {

constexpr int subtaskIndent = 26;

} // namespace

TaskGroup::TaskGroup(Store& store, TarnelUI& ui, const TaskGroupContent& content, QWidget* parent)
    : QWidget(parent), store_(store), ui_(ui), content_(content) {
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    task_ = new TaskRow(store, ui, content.task, this);
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
        [this](const TaskRowContent& row, QWidget* parent) { return new TaskRow(store_, ui_, row, parent); },
        [](QWidget* row, const TaskRowContent& content) { static_cast<TaskRow*>(row)->setContent(content); });
}

TaskRow* TaskGroup::subtaskRow(const UUID& id) const {
    return static_cast<TaskRow*>(subtasks_->row(id.uuidString()));
}

} // namespace vesk
