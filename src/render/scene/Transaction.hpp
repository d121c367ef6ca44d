#pragma once

#include "core/anim/Timing.hpp"

#include <optional>

namespace vesk::scene {

// Implicit animation of node properties. While a Transaction is alive on a thread, changes
// of a node's position, orientation, scale and opacity made on that thread do not jump:
// the node keeps its value (the model value changes at once) but shows a blend from what it
// showed to the new value over the duration, starting at the scene's next step. Outside a
// transaction, or with actions disabled, a change shows at once and ends any blend of that
// property. Transactions nest; the innermost one applies.
class Transaction {
  public:
    struct Settings {
        double durationSeconds = 0.0;
        Timing timing = Timing::linear;
        bool disableActions = false;
    };

    explicit Transaction(Settings settings);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // The settings in force on this thread, if a transaction animates changes.
    static std::optional<Settings> animating();

  private:
    Settings settings_;
    Transaction* outer_ = nullptr;
};

// A blend of one property from a shown value towards the model value.
template <class T> struct Tween {
    T from{};
    double durationSeconds = 0.0;
    Timing timing = Timing::linear;
    std::optional<double> startSeconds; // set by the first scene step after the change
    float progress = 0.0f;              // eased, 0…1

    // Brings the blend to `time`; false once it has ended.
    bool step(double time);
};

template <class T> bool Tween<T>::step(double time) {
    if (!startSeconds) startSeconds = time;
    const double elapsed = time - *startSeconds;
    if (durationSeconds <= 0.0 || elapsed >= durationSeconds) {
        progress = 1.0f;
        return false;
    }
    progress = applyTiming(timing, float(elapsed / durationSeconds));
    return true;
}

} // namespace vesk::scene
