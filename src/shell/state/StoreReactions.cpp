#include "shell/state/StoreReactions.hpp"

#include "core/store/Store.hpp"
#include "shell/theme/Theme.hpp"

#include <algorithm>

namespace vesk {

StoreReactions::StoreReactions(Store& store, RevealStage& stage, TreeDisplay& tree, Sound& sound,
                               MainQueue& queue)
    : store_(store), stage_(stage), tree_(tree), sound_(sound), queue_(queue) {}

template <class Step> void StoreReactions::later(double seconds, Step step) {
    queue_.after(seconds, lifetime_.guard(std::move(step)));
}

void StoreReactions::timerEvent(TimerEvent event) {
    const Prefs& prefs = store_.prefs.get();
    switch (event) {
    case TimerEvent::focusDone: {
        if (prefs.sound) sound_.play("Glass");
        const std::string tail =
            prefs.autoStartBreak ? std::to_string(prefs.breakMinutes) + " min break" : "time for a break";
        stage_.showToast("checkmark.circle.fill", "Focus done · " + tail, Theme::focus(), 4.0);
        break;
    }
    case TimerEvent::breakDone:
        if (prefs.sound) sound_.play("Hero");
        stage_.showToast("bolt.fill", "Break over · ready to focus", Theme::rest(), 4.0);
        break;
    }
}

std::function<void()> StoreReactions::clearAfterAnimation(std::int64_t token) {
    return lifetime_.guard([this, token] {
        later(clearDelaySeconds, [this, token] {
            if (revealToken_ == token) stage_.clearReveal();
        });
    });
}

std::int64_t StoreReactions::growthTarget(std::int64_t to) const {
    const BonsaiProgress& bonsai = store_.bonsai.get();
    const GardenTree* current = treeWithSeed(bonsai, bonsai.seed);
    return current ? std::max(to, shownCubes(*current)) : to;
}

void StoreReactions::bonsaiGrew(std::int64_t from, std::int64_t to, GainReason reason) {
    const std::uint64_t seed = store_.bonsai.get().seed;
    const Prefs& prefs = store_.prefs.get();
    const bool plain =
        reason == GainReason::created || (!prefs.growthReveal && !stage_.tourRunning()) || !stage_.expanded();
    if (plain) {
        // A reveal still waiting for the live views never opens: the tree shows the new count.
        if (waitingFrom_) {
            waitingFrom_.reset();
            ++revealToken_;
        }
        // A newer request drops the running one's completion, so a reveal on screen would
        // never clear; this request clears it instead, unless the delayed growth of a
        // fresh reveal is still to come and will.
        std::function<void()> done;
        if (stage_.pendingReveal() && !growStepPending_) done = clearAfterAnimation(revealToken_);
        tree_.show(seed, to, std::nullopt, std::move(done));
        return;
    }
    if (prefs.sound) sound_.play("Pop");
    const std::int64_t token = ++revealToken_;
    if (const auto pending = stage_.pendingReveal()) {
        // An unlock announced earlier in this reveal stays shown.
        stage_.extendReveal(to, pending->unlocked);
        growStepPending_ = false;
        tree_.show(seed, growthTarget(to), pending->to, clearAfterAnimation(token));
        return;
    }
    // A growth while the reveal waits joins it: the reveal grows from the first count.
    if (waitingFrom_) from = *waitingFrom_;
    waitingFrom_ = from;
    tree_.show(seed, from, std::nullopt, nullptr);
    // The panel opens once its view can draw the tree, so that the first reveal of a session,
    // while the GL is still being made, does not open empty and run its growth unseen.
    tree_.whenDrawable(lifetime_.guard([this, token, seed, from, to] {
        if (revealToken_ != token) return;
        waitingFrom_.reset();
        stage_.beginReveal(from, to);
        growStepPending_ = true;
        later(growDelaySeconds, [this, token, seed, from, to] {
            if (revealToken_ != token) return;
            growStepPending_ = false;
            tree_.show(seed, growthTarget(to), from, clearAfterAnimation(token));
        });
    }));
}

void StoreReactions::seedlingUnlocked() {
    if (stage_.expanded()) {
        if (stage_.pendingReveal()) stage_.markRevealUnlocked();
        return;
    }
    stage_.showToast("sparkles", "New seedling unlocked · Garden", Theme::star(), 5.0);
}

} // namespace vesk
