#pragma once

#include "core/model/BonsaiModels.hpp"
#include "core/model/TimerModels.hpp"
#include "core/runtime/Lifetime.hpp"
#include "core/runtime/MainQueue.hpp"
#include "platform/Sound.hpp"

#include <QColor>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace vesk {

class Store;

// What the reactions need of the UI state: whether the tarnel is open, the growth reveal
// and the toast. The program's adapter forwards to TarnelUI with its animations.
class RevealStage {
  public:
    struct Counts {
        std::int64_t from = 0;
        std::int64_t to = 0;
        bool unlocked = false;
        bool operator==(const Counts&) const = default;
    };
    virtual ~RevealStage() = default;
    virtual bool expanded() const = 0;
    virtual bool tourRunning() const = 0;
    virtual std::optional<Counts> pendingReveal() const = 0;
    // A new reveal with a new id, inside the opening spring.
    virtual void beginReveal(std::int64_t from, std::int64_t to) = 0;
    // The pending reveal keeps its id and first count; set without animation.
    virtual void extendReveal(std::int64_t to, bool unlocked) = 0;
    virtual void markRevealUnlocked() = 0; // inside the fast spring
    virtual void clearReveal() = 0;        // inside the closing spring
    virtual void showToast(const std::string& icon, const std::string& text, const QColor& tint,
                           double seconds) = 0;
};

// The live tree: a request for `n` cubes of the tree `seed`, growing from `from` when given;
// `done` runs when that request's growth animation has finished.
class TreeDisplay {
  public:
    virtual ~TreeDisplay() = default;
    virtual void show(std::uint64_t seed, std::int64_t n, std::optional<std::int64_t> from,
                      std::function<void()> done) = 0;
    // Runs `then` on the main thread once the live views can draw the tree from their first
    // frame (at once when they can), or after a deadline when the GL never gets there.
    virtual void whenDrawable(std::function<void()> then) = 0;
};

// The program's answers to the store's three callbacks: a sound and a toast when a timer
// phase ends, the growth reveal, and the news of a new seedling. Main thread only; delayed
// steps do nothing once this object is gone.
class StoreReactions {
  public:
    static constexpr double clearDelaySeconds = 1.3;
    static constexpr double growDelaySeconds = 0.45;

    StoreReactions(Store& store, RevealStage& stage, TreeDisplay& tree, Sound& sound, MainQueue& queue);
    StoreReactions(const StoreReactions&) = delete;
    StoreReactions& operator=(const StoreReactions&) = delete;

    void timerEvent(TimerEvent event);
    void bonsaiGrew(std::int64_t from, std::int64_t to, GainReason reason);
    void seedlingUnlocked();

    std::int64_t revealToken() const { return revealToken_; }

  private:
    std::function<void()> clearAfterAnimation(std::int64_t token);
    // Never less than the tree now holds: a task created meanwhile must not be taken back.
    std::int64_t growthTarget(std::int64_t to) const;
    template <class Step> void later(double seconds, Step step);

    Store& store_;
    RevealStage& stage_;
    TreeDisplay& tree_;
    Sound& sound_;
    MainQueue& queue_;
    std::int64_t revealToken_ = 0;
    // Between a new reveal and its delayed growth request, which will carry the clearing.
    bool growStepPending_ = false;
    // The first count of a reveal waiting for the live views before it opens.
    std::optional<std::int64_t> waitingFrom_;
    Lifetime lifetime_;
};

} // namespace vesk
