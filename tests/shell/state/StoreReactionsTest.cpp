#include "shell/state/StoreReactions.hpp"

#include "shell/theme/Theme.hpp"
#include "support/StoreTestBed.hpp"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vesk {
namespace {

struct FakeStage final : RevealStage {
    bool isExpanded = true;
    bool inTour = false;
    std::optional<Counts> reveal;
    int revealsBegun = 0;
    struct Toast {
        std::string icon, text;
        QColor tint;
        double seconds;
    };
    std::vector<Toast> toasts;

    bool expanded() const override { return isExpanded; }
    bool tourRunning() const override { return inTour; }
    std::optional<Counts> pendingReveal() const override { return reveal; }
    void beginReveal(std::int64_t from, std::int64_t to) override {
        ++revealsBegun;
        reveal = Counts{from, to, false};
    }
    void extendReveal(std::int64_t to, bool unlocked) override {
        reveal->to = to;
        reveal->unlocked = unlocked;
    }
    void markRevealUnlocked() override { reveal->unlocked = true; }
    void clearReveal() override { reveal.reset(); }
    void showToast(const std::string& icon, const std::string& text, const QColor& tint,
                   double seconds) override {
        if (!isExpanded) toasts.push_back({icon, text, tint, seconds});
    }
};

// Requests as the engine gets them; `finish` ends the newest one's animation the way the
// engine does: a newer request drops an older one's completion.
struct FakeTree final : TreeDisplay {
    struct Request {
        std::int64_t n;
        std::optional<std::int64_t> from;
        bool hasDone;
    };
    std::vector<Request> requests;
    std::function<void()> done;
    void show(std::uint64_t, std::int64_t n, std::optional<std::int64_t> from,
              std::function<void()> completion) override {
        requests.push_back({n, from, static_cast<bool>(completion)});
        done = std::move(completion);
    }
    void finish() {
        if (auto completion = std::exchange(done, nullptr)) completion();
    }
    // While late, the live views cannot draw yet (their GL is still being made).
    bool late = false;
    std::vector<std::function<void()>> waiting;
    void whenDrawable(std::function<void()> then) override {
        if (late)
            waiting.push_back(std::move(then));
        else
            then();
    }
    void becomeDrawable() {
        late = false;
        for (auto& then : std::exchange(waiting, {}))
            then();
    }
};

struct FakeSound final : Sound {
    std::vector<std::string> played;
    void play(std::string_view name) override { played.emplace_back(name); }
};

class StoreReactionsTest : public ::testing::Test {
  protected:
    StoreReactionsTest() { setTreeCount(11); }
    // The current tree shows `shown` cubes.
    void setTreeCount(std::int64_t shown) {
        test::edit(store(), &Snapshot::bonsai, [&](BonsaiProgress& progress) {
            progress.seed = 7;
            progress.garden = {GardenTree{UUID{}, 7, Date{}, shown - 1}};
        });
    }
    void setPrefs(auto change) { store().writePrefs(change); }
    Store& store() { return opened; }

    test::StoreTestBed bed;
    Store& opened = bed.open();
    FakeStage stage;
    FakeTree tree;
    FakeSound sound;
    StoreReactions reactions{opened, stage, tree, sound, bed.queue};
};

TEST_F(StoreReactionsTest, TimerPhaseEndsPlaySoundAndToastWithTheBreakLength) {
    stage.isExpanded = false;
    setPrefs([](Prefs& p) { p.breakMinutes = 5; });
    reactions.timerEvent(TimerEvent::focusDone);
    setPrefs([](Prefs& p) { p.autoStartBreak = false; });
    reactions.timerEvent(TimerEvent::focusDone);
    reactions.timerEvent(TimerEvent::breakDone);

    EXPECT_EQ(sound.played, (std::vector<std::string>{"Glass", "Glass", "Hero"}));
    ASSERT_EQ(stage.toasts.size(), 3u);
    EXPECT_EQ(stage.toasts[0].text, "Focus done · 5 min break");
    EXPECT_EQ(stage.toasts[0].icon, "checkmark.circle.fill");
    EXPECT_EQ(stage.toasts[0].tint, Theme::focus());
    EXPECT_EQ(stage.toasts[0].seconds, 4.0);
    EXPECT_EQ(stage.toasts[1].text, "Focus done · time for a break");
    EXPECT_EQ(stage.toasts[2].text, "Break over · ready to focus");
    EXPECT_EQ(stage.toasts[2].icon, "bolt.fill");
    EXPECT_EQ(stage.toasts[2].tint, Theme::rest());
}

TEST_F(StoreReactionsTest, SoundsFollowThePreferenceButTheToastDoesNot) {
    setPrefs([](Prefs& p) { p.sound = false; });
    stage.isExpanded = false;
    reactions.timerEvent(TimerEvent::focusDone);
    EXPECT_TRUE(sound.played.empty());
    EXPECT_EQ(stage.toasts.size(), 1u);
    // Expanded: the toast is dropped by the UI state, the sound still plays.
    setPrefs([](Prefs& p) { p.sound = true; });
    stage.isExpanded = true;
    reactions.timerEvent(TimerEvent::focusDone);
    EXPECT_EQ(sound.played, std::vector<std::string>{"Glass"});
    EXPECT_EQ(stage.toasts.size(), 1u);
}

TEST_F(StoreReactionsTest, PlainGrowthShowsTheNewCountWithoutReveal) {
    stage.isExpanded = false;
    reactions.bonsaiGrew(10, 11, GainReason::completed); // collapsed
    stage.isExpanded = true;
    reactions.bonsaiGrew(11, 12, GainReason::created); // creating never reveals
    setPrefs([](Prefs& p) { p.growthReveal = false; });
    reactions.bonsaiGrew(12, 13, GainReason::completed); // reveals switched off

    ASSERT_EQ(tree.requests.size(), 3u);
    EXPECT_EQ(tree.requests[2].n, 13);
    EXPECT_FALSE(tree.requests[2].from);
    EXPECT_FALSE(stage.reveal);
    EXPECT_TRUE(sound.played.empty());
    EXPECT_EQ(reactions.revealToken(), 0);
}

TEST_F(StoreReactionsTest, TheTourRevealsEvenWithRevealsSwitchedOff) {
    setPrefs([](Prefs& p) { p.growthReveal = false; });
    stage.inTour = true;
    reactions.bonsaiGrew(10, 11, GainReason::completed);
    EXPECT_TRUE(stage.reveal);
}

TEST_F(StoreReactionsTest, ARevealShowsTheOldTreeThenGrowsThenClears) {
    reactions.bonsaiGrew(10, 11, GainReason::completed);
    EXPECT_EQ(sound.played, std::vector<std::string>{"Pop"});
    ASSERT_EQ(tree.requests.size(), 1u);
    EXPECT_EQ(tree.requests[0].n, 10);
    EXPECT_EQ(stage.reveal, (RevealStage::Counts{10, 11, false}));

    bed.queue.advance(0.44);
    EXPECT_EQ(tree.requests.size(), 1u);
    bed.queue.advance(0.02);
    ASSERT_EQ(tree.requests.size(), 2u);
    EXPECT_EQ(tree.requests[1].n, 11);
    EXPECT_EQ(tree.requests[1].from, 10);

    tree.finish();
    bed.queue.advance(1.29);
    EXPECT_TRUE(stage.reveal);
    bed.queue.advance(0.02);
    EXPECT_FALSE(stage.reveal);
}

TEST_F(StoreReactionsTest, ARevealOpensOnlyOnceItsTreeCanBeDrawnAndGathersGrowthsMeanwhile) {
    tree.late = true;
    reactions.bonsaiGrew(10, 11, GainReason::completed);
    bed.queue.advance(5.0); // longer than a whole reveal
    EXPECT_FALSE(stage.reveal);
    ASSERT_EQ(tree.requests.size(), 1u);
    EXPECT_EQ(tree.requests[0].n, 10);
    setTreeCount(12);
    reactions.bonsaiGrew(11, 12, GainReason::completed);

    tree.becomeDrawable();
    EXPECT_EQ(stage.revealsBegun, 1);
    EXPECT_EQ(stage.reveal, (RevealStage::Counts{10, 12, false}));
    bed.queue.advance(0.46);
    EXPECT_EQ(tree.requests.back().n, 12);
    EXPECT_EQ(tree.requests.back().from, 10);
    tree.finish();
    bed.queue.advance(1.31);
    EXPECT_FALSE(stage.reveal);

    // Collapsed before the views could draw: no reveal, the tree shows the newest count.
    tree.late = true;
    reactions.bonsaiGrew(12, 13, GainReason::completed);
    stage.isExpanded = false;
    reactions.bonsaiGrew(13, 14, GainReason::completed);
    tree.becomeDrawable();
    EXPECT_EQ(stage.revealsBegun, 1);
    EXPECT_EQ(tree.requests.back().n, 14);
    EXPECT_FALSE(tree.requests.back().from);
}

TEST_F(StoreReactionsTest, ASecondCompletionExtendsThePendingReveal) {
    reactions.bonsaiGrew(10, 11, GainReason::completed);
    bed.queue.advance(0.5);
    setTreeCount(12);
    reactions.bonsaiGrew(11, 12, GainReason::completed);

    EXPECT_EQ(stage.revealsBegun, 1);
    EXPECT_EQ(stage.reveal, (RevealStage::Counts{10, 12, false}));
    EXPECT_EQ(tree.requests.back().n, 12);
    EXPECT_EQ(tree.requests.back().from, 11);
    // The first growth's completion was dropped by the engine; only the newest clears.
    tree.finish();
    bed.queue.advance(1.31);
    EXPECT_FALSE(stage.reveal);
}

TEST_F(StoreReactionsTest, ANewerRevealSilencesTheOlderOnesDelayedSteps) {
    reactions.bonsaiGrew(10, 11, GainReason::completed);
    bed.queue.advance(0.5);
    tree.finish(); // the first clearing is scheduled for 1.3 s from now
    bed.queue.advance(1.0);
    setTreeCount(12);
    reactions.bonsaiGrew(11, 12, GainReason::completed);
    bed.queue.advance(0.5);
    EXPECT_TRUE(stage.reveal);
}

TEST_F(StoreReactionsTest, ExtendingKeepsAnAnnouncedUnlock) {
    reactions.bonsaiGrew(10, 11, GainReason::completed);
    reactions.seedlingUnlocked();
    EXPECT_TRUE(stage.reveal->unlocked);
    reactions.bonsaiGrew(11, 12, GainReason::completed);
    EXPECT_TRUE(stage.reveal->unlocked);
    EXPECT_TRUE(stage.toasts.empty());
}

TEST_F(StoreReactionsTest, AnUnlockWhileCollapsedIsAToastAndWhileOpenWithoutRevealNothing) {
    reactions.seedlingUnlocked();
    EXPECT_TRUE(stage.toasts.empty());
    EXPECT_FALSE(stage.reveal);
    stage.isExpanded = false;
    reactions.seedlingUnlocked();
    ASSERT_EQ(stage.toasts.size(), 1u);
    EXPECT_EQ(stage.toasts[0].text, "New seedling unlocked · Garden");
    EXPECT_EQ(stage.toasts[0].icon, "sparkles");
    EXPECT_EQ(stage.toasts[0].tint, Theme::star());
    EXPECT_EQ(stage.toasts[0].seconds, 5.0);
}

TEST_F(StoreReactionsTest, APlainRequestDuringARevealStillClearsIt) {
    reactions.bonsaiGrew(10, 11, GainReason::completed);
    bed.queue.advance(0.5); // the growth request with its clearing is out
    setTreeCount(12);
    reactions.bonsaiGrew(11, 12, GainReason::created); // drops that clearing in the engine
    EXPECT_TRUE(tree.requests.back().hasDone);
    tree.finish();
    bed.queue.advance(1.31);
    EXPECT_FALSE(stage.reveal);
}

TEST_F(StoreReactionsTest, TheDelayedGrowthAimsAtTheTreesCurrentCount) {
    reactions.bonsaiGrew(10, 11, GainReason::completed);
    setTreeCount(12); // a task created before the delayed step
    reactions.bonsaiGrew(11, 12, GainReason::created);
    EXPECT_FALSE(tree.requests.back().hasDone); // the delayed step carries the clearing
    bed.queue.advance(0.5);
    EXPECT_EQ(tree.requests.back().n, 12);
    EXPECT_EQ(tree.requests.back().from, 10);
    tree.finish();
    bed.queue.advance(1.31);
    EXPECT_FALSE(stage.reveal);
}

TEST(StoreReactionsLifetimeTest, DelayedStepsDoNothingOnceTheReactionsAreGone) {
    test::StoreTestBed bed;
    bed.open();
    FakeStage stage;
    FakeTree tree;
    FakeSound sound;
    {
        StoreReactions reactions{*bed.store, stage, tree, sound, bed.queue};
        reactions.bonsaiGrew(1, 2, GainReason::completed);
    }
    bed.queue.advance(1.0);
    EXPECT_EQ(tree.requests.size(), 1u);
}

} // namespace
} // namespace vesk
