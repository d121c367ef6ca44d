#pragma once

#include "core/runtime/Observations.hpp"

#include <functional>
#include <utility>

namespace vesk {

// The content a view is about to apply, and the one it applied last.
template <class Content> struct ContentChange {
    const Content& now;
    const Content* before; // null on the first apply: everything is new

    // Whether the part a member pointer names differs.
    template <class Member> bool changed(Member part) const {
        return !before || !(before->*part == now.*part);
    }
};

// How a screen follows the model: the values it reads watched as one group, its content (a
// plain value, computed by a plain function of the model) computed once per change, and
// applied only when it differs from the last, so that the widget touches only what changed.
template <class Content> class ContentBinding {
  public:
    // Watches `values` for as long as the binding lives; computes and applies everything at once.
    void bind(std::initializer_list<std::reference_wrapper<const ObservedBase>> values,
              std::function<Content()> compute, std::function<void(const ContentChange<Content>&)> apply) {
        compute_ = std::move(compute);
        apply_ = std::move(apply);
        observations_.watch(values, [this] { refresh(); });
        refresh();
    }

    // Computes again, for a change no watched value tells (the view's own state).
    void refresh() {
        stale_ = !live_;
        if (stale_) return;
        Content next = compute_();
        if (applied_ && next == content_) return;
        const Content before = std::exchange(content_, std::move(next));
        apply_({content_, std::exchange(applied_, true) ? &before : nullptr});
    }

    // While not live (its view hidden), a change is only noted: going live computes it then.
    void setLive(bool live) {
        live_ = live;
        if (live_ && stale_) refresh();
    }

    const Content& content() const { return content_; }

  private:
    std::function<Content()> compute_;
    std::function<void(const ContentChange<Content>&)> apply_;
    Content content_{};
    bool applied_ = false;
    bool live_ = true;
    bool stale_ = false;
    Observations observations_; // last: no callback outlives what it reads
};

} // namespace vesk
