#include "devtools/VideoScene.hpp"

#include "devtools/SceneScript.hpp"
#include "shell/state/TarnelUI.hpp"
#include "support/StoreTestBed.hpp"

#include <gtest/gtest.h>
#include <map>

namespace vesk {
namespace {

class VideoSceneTest : public ::testing::Test, protected test::StoreTestBed {
  protected:
    Store& store = open();

    EnvironmentLookup environment(std::map<std::string, std::string> values) {
        return [values](std::string_view name) -> std::optional<std::string> {
            const auto found = values.find(std::string(name));
            return found == values.end() ? std::nullopt : std::optional(found->second);
        };
    }
};

TEST_F(VideoSceneTest, DefaultsGiveTheFixedTasksGardenAndGainsSavedOnce) {
    const auto env = environment({{"VESK_VIDEO_TREE", "nope"}});
    VideoTools::seed(store, VideoTools::videoTree(env), VideoTools::videoIteration(env), clock, random,
                     calendar);
    const auto& tasks = store.tasks.get();
    ASSERT_EQ(tasks.size(), 9u);
    EXPECT_EQ(tasks[4].title, "Gym \u2014 leg day");
    EXPECT_EQ(tasks[1].parentID, tasks[0].id);
    EXPECT_EQ(tasks[2].parentID, tasks[0].id);
    EXPECT_TRUE(tasks[0].starred);
    EXPECT_EQ(tasks[7].rewarded, true);

    const BonsaiProgress& bonsai = store.bonsai.get();
    ASSERT_EQ(bonsai.garden.size(), 3u);
    EXPECT_EQ(bonsai.garden[0].seed, 12345u);
    EXPECT_EQ(bonsai.garden[1].seed, 12352u);
    EXPECT_EQ(bonsai.garden[2].seed, 12364u);
    EXPECT_EQ(bonsai.garden[0].cubesGrown, 1399);
    EXPECT_EQ(bonsai.seed, 12345u);
    ASSERT_EQ(bonsai.gains.size(), 2u);
    EXPECT_EQ(bonsai.gains[0].amount, 1988);
    EXPECT_EQ(bonsai.gains[1].amount, 9);
    EXPECT_EQ(bonsai.seedlingsUnlocked() - bonsai.seedlingsPlanted, 6);

    const auto& sessions = store.sessions.get();
    ASSERT_GE(sessions.size(), 1u);
    EXPECT_EQ(sessions.back().taskID, tasks[0].id);
    EXPECT_TRUE(store.prefs.get().onboarded);
    EXPECT_FALSE(store.prefs.get().sound);
    queue.advance(10);
    EXPECT_EQ(writes(), 1u);
}

TEST_F(VideoSceneTest, SmallestAndLargestNumbersStayInRange) {
    EXPECT_EQ(VideoTools::videoIteration(environment({{"VESK_VIDEO_ITER", "+1"}})), 1);
    EXPECT_EQ(VideoTools::videoIteration(environment({{"VESK_VIDEO_ITER", "-9223372036854775808"}})), 1);
    EXPECT_EQ(VideoTools::videoIteration(environment({{"VESK_VIDEO_ITER", "12x"}})), 1400);
    const auto largest = environment({{"VESK_VIDEO_TREE", "18446744073709551615"}, {"VESK_VIDEO_ITER", "1"}});
    VideoTools::seed(store, VideoTools::videoTree(largest), VideoTools::videoIteration(largest), clock,
                     random, calendar);
    const auto& garden = store.bonsai.get().garden;
    EXPECT_EQ(garden[0].cubesGrown, 0);
    EXPECT_EQ(garden[1].seed, 6u);
    EXPECT_EQ(garden[2].seed, 18u);
}

class SceneScriptTest : public VideoSceneTest {
  protected:
    TarnelUI ui{store, queue};
    std::vector<std::string> typed;
    Signal<TarnelUI, std::string>::Connection typing =
        ui.scriptedTyping.connect([this](const std::string& text) { typed.push_back(text); });
    bool quit = false;
    std::vector<double> orbits;
    VideoTools::SceneStage stage{queue,
                                 clock,
                                 files,
                                 std::filesystem::path("/tmp/t0"),
                                 [this](float, float, double seconds) { orbits.push_back(seconds); },
                                 [this] { quit = true; }};
};

TEST_F(SceneScriptTest, OpenHoversExpandsTypesAndQuitsAfterTheClip) {
    files.createDirectories("/tmp");
    const Date called = clock.now();
    VideoTools::runScene("open", store, ui, stage);
    queue.advance(1.59);
    EXPECT_FALSE(files.contents("/tmp/t0"));
    queue.advance(0.02); // 1.61
    ASSERT_TRUE(files.contents("/tmp/t0"));
    EXPECT_EQ(std::stod(*files.contents("/tmp/t0")), unixSeconds(addingSeconds(called, 1.6)));
    queue.advance(0.9); // 2.51
    EXPECT_TRUE(ui.hovering.get());
    queue.advance(0.6); // 3.11
    EXPECT_FALSE(ui.hovering.get());
    EXPECT_TRUE(ui.expanded.get());
    queue.advance(1.5); // 4.61
    EXPECT_EQ(typed, std::vector<std::string>{"Call mom"});
    queue.advance(5.07);
    EXPECT_FALSE(quit);
    queue.advance(0.03); // 9.71
    EXPECT_TRUE(quit);
}

TEST_F(SceneScriptTest, GardenLeadsFiveSecondsAndAnUnknownNamePlaysNothing) {
    EXPECT_EQ(VideoTools::leadSeconds(VideoTools::sceneNamed("garden")), 5.6);
    EXPECT_TRUE(VideoTools::sceneNamed("Open").steps.empty());
    VideoTools::runScene("", store, ui, stage);
    queue.advance(9.08);
    EXPECT_FALSE(quit);
    EXPECT_FALSE(ui.expanded.get());
    queue.advance(0.03);
    EXPECT_TRUE(quit);
}

TEST(StartMomentTest, TheShortestTextReadsBackAsTheSameNumber) {
    for (const double t : {1773057600.0, 1773057600.123456789, 0.1})
        EXPECT_EQ(std::stod(VideoTools::startMomentText(t)), t);
    EXPECT_EQ(VideoTools::startMomentText(0.1), "0.1");
}

} // namespace
} // namespace vesk
