#pragma once

#include <functional>
#include <utility>

namespace vesk {

// Owns the end of something that goes on until stopped: a subscription to events, a task
// waiting on the main queue. Dropping or resetting the holder stops it; a holder may be
// moved, never copied, so that exactly one owner ends it. One thread.
class [[nodiscard]] Subscription {
  public:
    using Cancel = std::function<void()>;

    Subscription() = default;
    explicit Subscription(Cancel cancel) : cancel_(std::move(cancel)) {}
    ~Subscription() { reset(); }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    Subscription(Subscription&& other) noexcept : cancel_(std::exchange(other.cancel_, {})) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            reset();
            cancel_ = std::exchange(other.cancel_, {});
        }
        return *this;
    }

    // Whether it still holds something to stop.
    explicit operator bool() const { return static_cast<bool>(cancel_); }

    // Stops what it holds, once; then it holds nothing.
    void reset() {
        // Emptied first: the cancel may drop this very holder.
        if (Cancel cancel = std::exchange(cancel_, {})) cancel();
    }

  private:
    Cancel cancel_;
};

} // namespace vesk
