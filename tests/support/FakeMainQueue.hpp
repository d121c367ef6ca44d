#pragma once

#include "core/runtime/MainQueue.hpp"
#include "support/VirtualClock.hpp"

#include <map>
#include <mutex>
#include <vector>

namespace vesk::test {

// A main queue on a virtual clock. `advance` moves the clock forward and runs every item
// that falls due on the way, in time order (first scheduled first on ties), with the clock
// set to each item's own due time; repeating items are re-armed at their fixed phase.
// Setting the clock itself forward skips the queue, as a suspended machine does.
class FakeMainQueue final : public MainQueue {
  public:
    explicit FakeMainQueue(VirtualClock& clock) : clock_(clock) {}

    // Posted tasks run, in order, at the next advance or runDue.
    void post(Task task) override;

    void advance(double seconds);
    // Runs what is due now without moving the clock.
    void runDue() { advance(0); }

    std::size_t pendingCount() const { return items_.size(); }
    std::size_t repeatingCount() const;

  protected:
    Handle start(double delaySeconds, Task task) override;
    Handle startRepeating(double intervalSeconds, Task task) override;
    void cancel(Handle handle) override;

  private:
    struct Item {
        Date due;
        double intervalSeconds; // 0 for a one-shot item
        std::uint64_t sequence;
        Task task;
    };

    Handle arm(double seconds, double interval, Task task);
    void takePosted();

    VirtualClock& clock_;
    std::map<Handle, Item> items_;
    Handle lastHandle_ = 0;
    std::uint64_t lastSequence_ = 0;
    std::mutex postedMutex_;
    std::vector<Task> posted_; // under postedMutex_
};

} // namespace vesk::test
