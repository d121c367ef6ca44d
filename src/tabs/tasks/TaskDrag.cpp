#include "tabs/tasks/TaskDrag.hpp"

#include "core/store/Store.hpp"
#include "shell/anim/Transaction.hpp"
#include "tabs/tasks/TaskGroup.hpp"

#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>

namespace vesk {

namespace {

// The group as it follows the pointer: its rows on the lit background of a hovered row.
QPixmap preview(QWidget& group) {
    const qreal ratio = group.devicePixelRatioF();
    QPixmap pixmap(group.size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(group.rect()), 9, 9);
    painter.fillPath(shape, QColor(0x1C, 0x1B, 0x1A, 0xF0));
    group.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    return pixmap;
}

} // namespace

void ReorderDrop::dropEntered() {
    if (!dragging_ || *dragging_ == target_) return;
    withAnimation(Animation::tarnelFast, [&] { store_.moveVisible(*dragging_, target_); });
}

bool ReorderDrop::performDrop() {
    dragging_.reset();
    return true;
}

TaskDrag::TaskDrag(Store& store, QWidget* list)
    : QObject(list), store_(store), list_(list),
      runner_([](QDrag& drag) { return drag.exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction); }) {
    list->setAcceptDrops(true);
    list->installEventFilter(this);
}

void TaskDrag::addGroup(TaskGroup* group) {
    group->setAcceptDrops(true);
    group->installEventFilter(this);
    group->setOnDragStart([this, group](QPoint hotSpot) { drag(group, hotSpot); });
}

void TaskDrag::drag(TaskGroup* group, QPoint hotSpot) {
    // A drag that ended outside the list left nothing behind, but a new one replaces it anyway.
    dragging_ = group->content().task.id;
    auto* payload = new QMimeData;
    payload->setText(QString::fromStdString(dragging_->uuidString()));
    payload_ = payload;
    const QPointer<QDrag> drag = new QDrag(this);
    drag->setMimeData(payload);
    drag->setPixmap(preview(*group));
    drag->setHotSpot(hotSpot);
    runner_(*drag);
    // Wherever it ended, on the list, outside it or cancelled, the drag is over.
    dragging_.reset();
    payload_ = nullptr;
    if (drag) drag->deleteLater();
}

bool TaskDrag::isOwn(const QDropEvent& event) const {
    return payload_ && event.mimeData() == payload_;
}

bool TaskDrag::accept(QDropEvent& event) const {
    if (isOwn(event)) {
        event.setDropAction(Qt::MoveAction);
    } else if (event.mimeData() && event.mimeData()->hasText() &&
               (event.possibleActions() & Qt::CopyAction)) {
        // A move would make the other program delete its text.
        event.setDropAction(Qt::CopyAction);
    } else {
        event.ignore();
        return false;
    }
    event.accept();
    return true;
}

bool TaskDrag::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto& drop = static_cast<QDropEvent&>(*event);
    if (!accept(drop)) return true;
    auto* group = watched == list_ ? nullptr : static_cast<TaskGroup*>(watched);
    if (type == QEvent::DragEnter && group && isOwn(drop))
        ReorderDrop(group->content().task.id, dragging_, store_).dropEntered();
    if (type == QEvent::Drop) {
        if (group)
            ReorderDrop(group->content().task.id, dragging_, store_).performDrop();
        else
            dragging_.reset();
    }
    return true;
}

} // namespace vesk
