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

// The owner object deletes every timer, pending or kept for reuse.
QtMainQueue::~QtMainQueue() = default;

MainQueue::Handle QtMainQueue::after(double delaySeconds, Task task) {
    return schedule(delaySeconds, false, std::move(task));
}

MainQueue::Handle QtMainQueue::repeating(double intervalSeconds, Task task) {
    return schedule(intervalSeconds, true, std::move(task));
}

MainQueue::Handle QtMainQueue::schedule(double seconds, bool repeat, Task task) {
    const Handle handle = ++lastHandle_;
    QTimer* timer = spare_.empty() ? newTimer() : spare_.back();
    if (!spare_.empty()) spare_.pop_back();
    timer->setSingleShot(!repeat);
    timer->setInterval(milliseconds(seconds));
    items_.emplace(handle, Item{timer, std::move(task), repeat});
    timer->start();
    return handle;
}

QTimer* QtMainQueue::newTimer() {
    auto* timer = new QTimer(&owner_);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, &owner_, [this, timer] { fire(timer); });
    return timer;
}

void QtMainQueue::fire(QTimer* timer) {
    // A stopped timer kept for reuse belongs to no item.
    const auto found = std::find_if(items_.begin(), items_.end(),
                                    [&](const auto& item) { return item.second.timer == timer; });
    if (found == items_.end()) return;
    // A copy: the task may cancel itself or schedule more work, which may rehash the map.
    const Task task = found->second.task;
    if (!found->second.repeat) cancel(found->first);
    task();
}

void QtMainQueue::cancel(Handle handle) {
    const auto found = items_.find(handle);
    if (found == items_.end()) return;
    // Kept for the next item rather than deleted: deleting it later (cancel may run inside
    // this very timer's timeout signal) would wake the event loop once more, a running
    // timer's ticker every second.
    found->second.timer->stop();
    spare_.push_back(found->second.timer);
    items_.erase(found);
}

void QtMainQueue::post(Task task) {
    // A queued call to an object of the main thread is delivered by its event loop; Qt drops
    // it if the owner is gone by then.
    QMetaObject::invokeMethod(&owner_, std::move(task), Qt::QueuedConnection);
}

} // namespace vesk
