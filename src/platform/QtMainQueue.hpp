#pragma once

#include "core/runtime/MainQueue.hpp"

#include <QObject>
#include <QTimer>
#include <unordered_map>

namespace vesk {

// Delayed and repeating work on the thread that owns the Qt event loop. Precise timers,
// because the timer's ticker and the 0.4 s save should not drift by Qt's coarse 5 %.
// Qt's nested loops (open menus, drags) keep delivering these timers.
class QtMainQueue final : public MainQueue {
  public:
    QtMainQueue();
    ~QtMainQueue() override;

    void post(Task task) override;

  protected:
    Handle start(double delaySeconds, Task task) override;
    Handle startRepeating(double intervalSeconds, Task task) override;
    void cancel(Handle handle) override;

  private:
    enum class Firing { once, repeatedly };
    Handle arm(double seconds, Firing firing, Task task);
    void fire(Handle handle);

    struct Item {
        QTimer* timer;
        Task task;
        bool repeat;
    };

    QObject owner_;
    std::unordered_map<Handle, Item> items_;
    Handle lastHandle_ = 0;
};

} // namespace vesk
