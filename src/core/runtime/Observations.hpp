#pragma once

#include "core/runtime/Lifetime.hpp"
#include "core/runtime/Observed.hpp"
#include "core/runtime/Signal.hpp"
#include "core/runtime/Subscription.hpp"

#include <functional>
#include <initializer_list>
#include <type_traits>
#include <utility>
#include <vector>

namespace vesk {

// The observed values a view reads, the signals it hears and whatever else it subscribed to,
// for as long as the view lives: each change or event calls the view back (typically to update
// itself), and destroying the view ends every subscription. A callback never runs after that,
// even when the value was in the middle of telling its observers. The observed values must
// outlive the view, as the store and the UI state do.
class Observations {
  public:
    Observations() = default;
    Observations(const Observations&) = delete;
    Observations& operator=(const Observations&) = delete;
    ~Observations() { clear(); }

    void watch(const ObservedBase& value, std::function<void()> onChange) {
        watch({std::cref(value)}, std::move(onChange));
    }

    // One callback for several values: when one store operation changes several of them,
    // it runs once, after all of them have changed.
    void watch(std::initializer_list<std::reference_wrapper<const ObservedBase>> values,
               std::function<void()> onChange) {
        auto shared = std::make_shared<const std::function<void()>>(std::move(onChange));
        for (const ObservedBase& value : values) {
            const auto token = value.observe(lifetime_.guard([shared] { (*shared)(); }), shared.get());
            keep(Subscription([&value, token] { value.unobserve(token); }));
        }
    }

    // A signal's events, heard for as long as the view lives.
    template <class Owner, class... Args>
    void listen(const Signal<Owner, Args...>& signal,
                std::type_identity_t<std::function<void(Args...)>> onEvent) {
        keep(Subscription(
            [connection = signal.connect(std::move(onEvent))]() mutable { connection.reset(); }));
    }

    // Any other subscription, ended with these.
    void keep(Subscription subscription) { subscriptions_.push_back(std::move(subscription)); }

    // Ends every subscription.
    void clear() {
        lifetime_.reset();
        // Moved out first, so that a subscription ended here may not add to the ones ending.
        const auto ending = std::exchange(subscriptions_, {});
    }

  private:
    Lifetime lifetime_;
    std::vector<Subscription> subscriptions_;
};

} // namespace vesk
