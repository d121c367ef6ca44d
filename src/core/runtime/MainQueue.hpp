#pragma once

#include <cstdint>
#include <functional>

namespace vesk {

// Delayed and repeating work on the main thread. Handles are never 0, so 0 can mean
// "nothing scheduled"; cancelling a handle that already ran or was cancelled does nothing.
class MainQueue {
public:
    using Task = std::function<void()>;
    using Handle = std::uint64_t;

    virtual ~MainQueue() = default;
    virtual Handle after(double delaySeconds, Task task) = 0;
    virtual Handle repeating(double intervalSeconds, Task task) = 0;
    virtual void cancel(Handle handle) = 0;
};

} // namespace vesk
