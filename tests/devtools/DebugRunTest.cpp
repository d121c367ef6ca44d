#include "core/model/TimerReadings.hpp"
#include "devtools/Debug.hpp"
#include "shell/state/TarnelUI.hpp"
#include "support/StoreTestBed.hpp"

#include <gtest/gtest.h>
#include <limits>
#include <sstream>

namespace vesk {
namespace {

// The store and UI state on fakes; the stage logs, with the virtual time, what the scenario
// asks of the panel, the renderer, the growth reaction and the application.
struct Scenario {
    test::StoreTestBed bed;
    Store& store = bed.open();
    TarnelUI ui{store, bed.queue};
    bool keep = false;
    bool snapshotsWork = true;
    double picturesDrawnAt = 0; // when the views on screen have their first pictures
    std::ostringstream log, errors;

    double seconds() const { return secondsBetween(test::VirtualClock::defaultStart(), bed.clock.now()); }

    void run(std::vector<std::string> words) {
        words.insert(words.begin(), "vesk");
        Debug(words).run(
            store, ui,
            {bed.queue,
             [this](std::string_view name) {
                 return name == "VESK_KEEP" && keep ? std::optional<std::string>("") : std::nullopt;
             },
             [this](const std::filesystem::path& path) {
                 log << "snapshot " << path.string() << " at " << seconds() << " ";
                 return snapshotsWork;
             },
             [this] { return seconds() < picturesDrawnAt; },
             [this](float t) { log << "freeze " << t << " at " << seconds() << " "; },
             [this](std::int64_t from, std::int64_t to, GainReason) { log << "grew " << from << "→" << to; },
             [this](int status) { log << "quit " << status; }, errors});
    }

    void plantTree(std::int64_t grown) {
        test::edit(store, &Snapshot::bonsai, [&](BonsaiProgress& bonsai) {
            bonsai.garden.push_back(GardenTree{UUID::random(bed.random), 77, bed.clock.now(), grown});
            bonsai.seed = 77;
            bonsai.gains.push_back(BonsaiGain{bed.clock.now(), grown, GainReason::completed});
        });
    }
};

TEST(DebugRunTest, TimerIsBackDatedAndAnUnknownWordStartsNothing) {
    for (auto [word, phase, elapsed] :
         {std::tuple{"pomodoro", PomoPhase::focus, 443.0}, std::tuple{"stopwatch", PomoPhase::focus, 443.0},
          std::tuple{"break", PomoPhase::rest, 83.0}}) {
        SCOPED_TRACE(word);
        Scenario s;
        s.store.addTask("older");
        const UUID first = *s.store.addTask("newest, listed first");
        s.run({"--timer", word});
        const TimerState& timer = s.store.timer.get();
        EXPECT_EQ(timer.phase, phase);
        EXPECT_EQ(timer.taskID, first);
        EXPECT_EQ(timer.segmentStart, timer.runningSince);
        EXPECT_DOUBLE_EQ(elapsedAt(s.store.timer.get(), s.bed.clock.now()), elapsed);
        s.bed.queue.advance(0.5); // the saved run is the back-dated one
        EXPECT_EQ(s.bed.onDisk()->timer.runningSince, timer.runningSince);
    }
    Scenario unknown;
    unknown.run({"--timer", "lap"});
    EXPECT_EQ(unknown.store.timer.get(), TimerState());
}

TEST(DebugRunTest, ExpandDetailOpensTheFirstTaskWithAnOpenSubtask) {
    Scenario s;
    const UUID third = *s.store.addTask("third");
    s.store.addTask("second");
    const UUID first = *s.store.addTask("first");
    s.store.toggleDone(*s.store.addTask("finished step", first));
    s.store.addTask("open step", third);
    s.run({"--expand", "detail"});
    EXPECT_EQ(s.ui.tab.get(), TarnelUI::Tab::tasks);
    EXPECT_EQ(s.ui.detailID.get(), third);

    Scenario none;
    none.run({"--expand", "detail"});
    EXPECT_TRUE(none.ui.expanded.get());
    EXPECT_EQ(none.ui.detailID.get(), std::nullopt);
}

TEST(DebugRunTest, ToastOnlyOnTheCollapsedPillAndThenGardenPicksTheTaskList) {
    Scenario pill;
    pill.run({"--toast"});
    ASSERT_TRUE(pill.ui.toast.get());
    EXPECT_EQ(pill.ui.toast.get()->text, "Focus done · 5 min break");

    Scenario open;
    open.run({"--toast", "--expand", "focus", "--then", "garden"});
    EXPECT_FALSE(open.ui.toast.get());
    open.bed.queue.advance(1.2);
    EXPECT_EQ(open.ui.tab.get(), TarnelUI::Tab::tasks);
}

TEST(DebugRunTest, RevealGrowsTheTreeOnScreenWithoutTouchingTheLedger) {
    Scenario s;
    s.plantTree(40);
    const auto gains = s.store.bonsai.get().gains;
    s.run({"--reveal", "12"});
    s.bed.queue.advance(0.8);
    EXPECT_EQ(s.log.str(), "grew 41→53");
    EXPECT_EQ(s.store.bonsai.get().garden.front().cubesGrown, 52);
    EXPECT_EQ(s.store.bonsai.get().gains, gains);

    Scenario unplanted;
    unplanted.run({"--reveal", "12"});
    unplanted.bed.queue.advance(0.8);
    EXPECT_EQ(unplanted.log.str(), "grew 0→12");
    EXPECT_EQ(unplanted.store.bonsai.get(), BonsaiProgress());

    // A huge count stops at the largest one instead of wrapping round to a negative tree.
    Scenario huge;
    huge.plantTree(40);
    huge.run({"--reveal", "9223372036854775807"});
    huge.bed.queue.advance(0.8);
    EXPECT_EQ(huge.store.bonsai.get().garden.front().cubesGrown,
              std::numeric_limits<std::int64_t>::max() - 1);
}

TEST(DebugRunTest, SnapshotAtTheDelayThenQuitUnlessKeptOrFailIfUnwritten) {
    Scenario s;
    s.run({"--freeze", "0.25", "--snapshot", "/tmp/a.png"});
    EXPECT_EQ(s.log.str(), "");
    s.bed.queue.advance(1.5);
    EXPECT_EQ(s.log.str(), "freeze 0.25 at 1.35 snapshot /tmp/a.png at 1.5 quit 0");

    Scenario kept;
    kept.keep = true;
    kept.run({"--delay", "0.1", "--freeze", "1", "--snapshot", "/tmp/a.png"});
    kept.bed.queue.runDue(); // a delay shorter than the freeze's lead freezes at once
    EXPECT_EQ(kept.log.str(), "freeze 1 at 0 ");
    kept.bed.queue.advance(0.1);
    EXPECT_EQ(kept.log.str(), "freeze 1 at 0 snapshot /tmp/a.png at 0.1 ");

    // A picture that never reached its file fails the run instead of passing for one.
    Scenario failed;
    failed.snapshotsWork = false;
    failed.run({"--snapshot", "/nowhere/a.png"});
    failed.bed.queue.advance(1.5);
    EXPECT_EQ(failed.errors.str(), "vesk: could not write the snapshot to /nowhere/a.png\n");
    EXPECT_TRUE(failed.log.str().ends_with("quit 1"));

    // Views still drawing their first picture hold the snapshot back, for 120 s at most.
    for (auto [drawnAt, takenAt] : {std::pair{2.99, "3"}, std::pair{200.0, "121.5"}}) {
        Scenario late;
        late.picturesDrawnAt = drawnAt;
        late.run({"--snapshot", "/tmp/a.png"});
        late.bed.queue.advance(122);
        EXPECT_EQ(late.log.str(), std::string("snapshot /tmp/a.png at ") + takenAt + " quit 0");
    }
}

} // namespace
} // namespace vesk
