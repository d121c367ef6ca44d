#include "support/FakeMainQueue.hpp"

#include <algorithm>
#include <stdexcept>

namespace vesk::test {

MainQueue::Handle FakeMainQueue::start(double delaySeconds, Task task) {
    return arm(std::max(delaySeconds, 0.0), 0, std::move(task));
}

MainQueue::Handle FakeMainQueue::startRepeating(double intervalSeconds, Task task) {
    // A zero interval would make advance() spin forever; real timers never run that fast either.
    if (!(intervalSeconds > 0)) throw std::invalid_argument("repeating interval must be positive");
    return arm(intervalSeconds, intervalSeconds, std::move(task));
}

MainQueue::Handle FakeMainQueue::arm(double seconds, double interval, Task task) {
    const Handle handle = ++lastHandle_;
    items_.emplace(handle,
                   Item{addingSeconds(clock_.now(), seconds), interval, ++lastSequence_, std::move(task)});
    return handle;
}

void FakeMainQueue::cancel(Handle handle) {
    items_.erase(handle);
}

std::size_t FakeMainQueue::repeatingCount() const {
    return static_cast<std::size_t>(std::count_if(
        items_.begin(), items_.end(), [](const auto& entry) { return entry.second.intervalSeconds > 0; }));
}

void FakeMainQueue::post(Task task) {
    const std::lock_guard lock(postedMutex_);
    posted_.push_back(std::move(task));
}

void FakeMainQueue::takePosted() {
    std::vector<Task> posted;
    {
        const std::lock_guard lock(postedMutex_);
        posted.swap(posted_);
    }
    for (Task& task : posted)
        arm(0, 0, std::move(task));
}

void FakeMainQueue::advance(double seconds) {
    const Date target = addingSeconds(clock_.now(), std::max(seconds, 0.0));
    for (;;) {
        takePosted();
        auto next = items_.end();
        for (auto it = items_.begin(); it != items_.end(); ++it) {
            if (it->second.due > target) continue;
            if (next == items_.end() || it->second.due < next->second.due ||
                (it->second.due == next->second.due && it->second.sequence < next->second.sequence))
                next = it;
        }
        if (next == items_.end()) break;
        const Handle handle = next->first;
        Item& item = next->second;
        if (item.due > clock_.now()) clock_.set(item.due);
        const Task task = item.task;
        if (item.intervalSeconds > 0) {
            // Like real timers, one that missed several beats (the clock jumped, as over a
            // suspend) fires once and then keeps its phase.
            do {
                item.due = addingSeconds(item.due, item.intervalSeconds);
            } while (item.due < clock_.now());
            item.sequence = ++lastSequence_;
        } else {
            items_.erase(handle);
        }
        task();
    }
    if (target > clock_.now()) clock_.set(target);
}

} // namespace vesk::test
