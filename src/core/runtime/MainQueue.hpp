#pragma once

#include "core/runtime/Subscription.hpp"

#include <cstdint>
#include <functional>
#include <utility>

namespace vesk {

// Delayed and repeating work on the main thread. Work that its caller may take back comes
// as a holder: dropping or resetting it cancels the work, and doing so once it ran does
// nothing. The queue outlives the holders. Only `post` may be called from other threads.
class MainQueue {
  public:
    using Task = std::function<void()>;

    virtual ~MainQueue() = default;

    // Runs `task` once after the delay, whatever becomes of the caller meanwhile.
    void after(double delaySeconds, Task task) { start(delaySeconds, std::move(task)); }
    // Runs `task` once after the delay, unless the holder goes first.
    Subscription schedule(double delaySeconds, Task task) {
        return cancelling(start(delaySeconds, std::move(task)));
    }
    // Runs `task` every interval for as long as the holder lasts.
    Subscription repeating(double intervalSeconds, Task task) {
        return cancelling(startRepeating(intervalSeconds, std::move(task)));
    }
    // From any thread: runs the task on the main thread as soon as it gets to it. How
    // background work hands its results over.
    virtual void post(Task task) = 0;

    // Cancels what `slot` holds and schedules `task` in its place; the slot is empty again
    // once it ran.
    void debounce(Subscription& slot, double delaySeconds, Task task) {
        slot.reset();
        slot = schedule(delaySeconds, [&slot, task = std::move(task)] {
            slot.reset();
            task();
        });
    }

  protected:
    // Never 0. Cancelling one that already ran or was cancelled does nothing.
    using Handle = std::uint64_t;

    virtual Handle start(double delaySeconds, Task task) = 0;
    virtual Handle startRepeating(double intervalSeconds, Task task) = 0;
    virtual void cancel(Handle handle) = 0;

  private:
    Subscription cancelling(Handle handle) {
        return Subscription([this, handle] { cancel(handle); });
    }
};

} // namespace vesk
