#pragma once

#include <cstdint>
#include <functional>
#include <utility>

namespace vesk {

// Delayed and repeating work on the main thread. Handles are never 0, so 0 can mean
// "nothing scheduled"; cancelling a handle that already ran or was cancelled does nothing.
// Only `post` may be called from other threads.
class MainQueue {
  public:
    using Task = std::function<void()>;
    using Handle = std::uint64_t;

    virtual ~MainQueue() = default;
    virtual Handle after(double delaySeconds, Task task) = 0;
    virtual Handle repeating(double intervalSeconds, Task task) = 0;
    virtual void cancel(Handle handle) = 0;
    // From any thread: runs the task on the main thread as soon as it gets to it. How
    // background work hands its results over.
    virtual void post(Task task) = 0;

    // Cancels what `slot` holds and schedules `task` in its place; the slot is 0 again once it
    // ran. The slot's owner cancels it before it goes.
    void debounce(Handle& slot, double delaySeconds, Task task) {
        cancel(slot);
        slot = after(delaySeconds, [&slot, task = std::move(task)] {
            slot = 0;
            task();
        });
    }
};

} // namespace vesk
