#include "platform/QtMainQueue.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vesk {

namespace {

int milliseconds(double seconds) {
    if (!(seconds > 0)) return 0;
    const double ms = std::ceil(seconds * 1000.0);
    return static_cast<int>(std::min(ms, static_cast<double>(std::numeric_limits<int>::max())));
}

} // namespace

QtMainQueue::QtMainQueue() = default;

// The owner object deletes every timer, pending or already cancelled.
QtMainQueue::~QtMainQueue() = default;

MainQueue::Handle QtMainQueue::start(double delaySeconds, Task task) {
    return arm(delaySeconds, Firing::once, std::move(task));
}

MainQueue::Handle QtMainQueue::startRepeating(double intervalSeconds, Task task) {
    return arm(intervalSeconds, Firing::repeatedly, std::move(task));
}

MainQueue::Handle QtMainQueue::arm(double seconds, Firing firing, Task task) {
    const bool repeat = firing == Firing::repeatedly;
    const Handle handle = ++lastHandle_;
    auto* timer = new QTimer(&owner_);
    timer->setTimerType(Qt::PreciseTimer);
    timer->setSingleShot(!repeat);
    timer->setInterval(milliseconds(seconds));
    QObject::connect(timer, &QTimer::timeout, &owner_, [this, handle] { fire(handle); });
    items_.emplace(handle, Item{timer, std::move(task), repeat});
    timer->start();
    return handle;
}

void QtMainQueue::fire(Handle handle) {
    const auto found = items_.find(handle);
    if (found == items_.end()) return;
    // A copy: the task may cancel itself or schedule more work, which may rehash the map.
    const Task task = found->second.task;
    if (!found->second.repeat) cancel(handle);
    task();
}

void QtMainQueue::cancel(Handle handle) {
    const auto found = items_.find(handle);
    if (found == items_.end()) return;
    found->second.timer->stop();
    // Later, because cancel may run inside this very timer's timeout signal.
    found->second.timer->deleteLater();
    items_.erase(found);
}

void QtMainQueue::post(Task task) {
    // A queued call to an object of the main thread is delivered by its event loop; Qt drops
    // it if the owner is gone by then.
    QMetaObject::invokeMethod(&owner_, std::move(task), Qt::QueuedConnection);
}

} // namespace vesk
