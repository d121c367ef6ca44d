#pragma once

#include "core/runtime/Observed.hpp"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace vesk {

// The observed values a view reads, watched for as long as the view lives: each change
// calls the view back (typically to update itself), and destroying the view ends every
// subscription. A callback never runs after that, even when the value was in the middle of
// telling its observers. The observed values must outlive the view, as the store and the
// UI state do.
class Observations {
  public:
    Observations() = default;
    Observations(const Observations&) = delete;
    Observations& operator=(const Observations&) = delete;
    ~Observations() { clear(); }

    template <class T> void watch(const Observed<T>& value, std::function<void()> onChange) {
        const std::weak_ptr<bool> alive = alive_;
        const auto token = value.observe([alive, onChange = std::move(onChange)] {
            if (alive.lock()) onChange();
        });
        cancels_.push_back([&value, token] { value.unobserve(token); });
    }

    // Ends every subscription.
    void clear() {
        alive_ = std::make_shared<bool>(true);
        for (auto& cancel : cancels_)
            cancel();
        cancels_.clear();
    }

  private:
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    std::vector<std::function<void()>> cancels_;
};

} // namespace vesk
