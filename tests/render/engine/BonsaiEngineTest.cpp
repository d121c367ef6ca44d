#include "render/engine/BonsaiEngine.hpp"

#include "bonsai/VoxelGrower.hpp"
#include "support/FakeMainQueue.hpp"

#include <algorithm>
#include <deque>
#include <gtest/gtest.h>

namespace vesk {
namespace {

constexpr std::uint64_t seed = 12345;

// An engine whose worker jobs wait until the test runs them, and a main queue on a virtual clock.
class BonsaiEngineTest : public ::testing::Test {
  protected:
    explicit BonsaiEngineTest(BonsaiEngine::Settings settings = {})
        : engine(main, std::move(settings),
                 [this](std::function<void()> job) { jobs.push_back(std::move(job)); }) {}

    // The worker runs what it was given, then the main thread takes the results.
    void settle() {
        while (!jobs.empty()) {
            auto job = std::move(jobs.front());
            jobs.pop_front();
            job();
        }
        main.runDue();
    }

    test::VirtualClock clock;
    test::FakeMainQueue main{clock};
    std::deque<std::function<void()>> jobs;
    BonsaiEngine engine;
};

TEST_F(BonsaiEngineTest, TenShowsAgainstABusyWorkerBuildAndInstallOnlyTheLast) {
    int infoChanges = 0;
    engine.info.observe([&] { ++infoChanges; });
    std::vector<int> done;
    for (int i = 0; i < 10; ++i)
        engine.show(seed, 30 + i, std::nullopt, [&done, i] { done.push_back(i); });
    settle();
    EXPECT_EQ(engine.buildsFinished(), 1);
    EXPECT_EQ(done, std::vector<int>{9});
    EXPECT_EQ(infoChanges, 1);
    EXPECT_EQ(engine.shownN.get(), 39);
}

TEST_F(BonsaiEngineTest, ABuildOvertakenOnItsWayToTheMainThreadIsDropped) {
    bool firstDone = false, secondDone = false;
    engine.show(seed, 40, std::nullopt, [&] { firstDone = true; });
    auto first = std::move(jobs.front());
    jobs.pop_front();
    first(); // built and handed over, not yet installed
    engine.show(seed, 50, std::nullopt, [&] { secondDone = true; });
    main.runDue();
    EXPECT_FALSE(firstDone);
    EXPECT_EQ(engine.info.get(), std::nullopt);
    settle();
    EXPECT_FALSE(firstDone);
    EXPECT_TRUE(secondDone);
    EXPECT_EQ(engine.shownN.get(), 50);
}

// Records, for each live copy of it, what the test was doing when the copy ended.
struct Ending {
    Ending(std::vector<std::string>* log, const std::string* phase) : log(log), phase(phase) {}
    Ending(const Ending&) = default;
    Ending(Ending&& other) noexcept : log(std::exchange(other.log, nullptr)), phase(other.phase) {}
    ~Ending() {
        if (log) log->push_back(*phase);
    }
    std::vector<std::string>* log;
    const std::string* phase;
};

TEST_F(BonsaiEngineTest, TheCallersCompletionEndsOnTheMainThreadEvenWhenOvertaken) {
    std::vector<std::string> endings;
    std::string phase = "asking";
    int calls = 0;
    for (int n : {40, 41})
        engine.show(seed, n, std::nullopt, [ending = Ending(&endings, &phase), &calls] { ++calls; });
    phase = "worker";
    while (!jobs.empty()) {
        auto job = std::move(jobs.front());
        jobs.pop_front();
        job();
    }
    phase = "main";
    main.runDue();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(std::count(endings.begin(), endings.end(), "worker"), 0);
    EXPECT_NE(std::count(endings.begin(), endings.end(), "main"), 0);
}

TEST(BonsaiEngineBuild, EachCheckpointDropsAnOvertakenRequest) {
    BuildCaches caches;
    const BuildRequest request{7, seed, 60, 55, std::nullopt, {0.0f, 1.0f, 0.0f}};
    for (int answered = 0; answered < 3; ++answered) {
        int asked = 0;
        EXPECT_EQ(buildTree(caches, request, [&] { return asked++ < answered; }), std::nullopt);
        EXPECT_EQ(asked, answered + 1); // it stopped at the first "no"
    }
    int asked = 0;
    const auto built = buildTree(caches, request, [&] { return ++asked > 0; });
    ASSERT_TRUE(built);
    EXPECT_GE(asked, 3); // its own three, and the generator's between designs
    EXPECT_TRUE(built->animation);
}

TEST(BonsaiEngineBuild, WhatABuildCarries) {
    BuildCaches caches;
    const auto [species, style] = bonsai::VoxelGrower::speciesAndStyle(seed);
    const auto built = buildTree(caches, {1, seed, 300, std::nullopt, std::nullopt, {0.0f, 1.0f, 0.0f}},
                                 [] { return true; });
    ASSERT_TRUE(built);
    EXPECT_EQ(built->info.species, species.name);
    EXPECT_EQ(built->info.japanese, species.japanese);
    EXPECT_EQ(built->info.style, styleLabel(style));
    EXPECT_EQ(built->info.cubes, 300);
    EXPECT_GE(built->treeHeight, 2.0f);
    EXPECT_TRUE(built->wood && built->leaves);
    EXPECT_TRUE(built->diorama.included);
    EXPECT_TRUE(built->diorama.pot && built->diorama.ground && built->diorama.stand);
    EXPECT_FALSE(built->animation);
    EXPECT_TRUE(built->sky.sky && built->sky.backdrop);
    // The sky of a species is made once.
    const auto again =
        buildTree(caches, {2, seed + 7, 40, std::nullopt, std::nullopt, {}}, [] { return true; });
    if (again->info.species == species.name) {
        EXPECT_EQ(again->sky, built->sky);
    }

    // The diorama on screen stays when the next build of the seed is in the same stage.
    const auto same =
        buildTree(caches, {3, seed, 301, std::nullopt, built->diorama.key, {}}, [] { return true; });
    EXPECT_EQ(same->sceneKey, built->sceneKey);
    EXPECT_FALSE(same->diorama.included);
    // ...unless it animates, which needs fresh meshes.
    const auto grown = buildTree(caches, {4, seed, 302, 301, built->diorama.key, {}}, [] { return true; });
    EXPECT_TRUE(grown->diorama.included);
}

TEST(BonsaiEngineBuild, OnlyModestChangesAnimate) {
    BuildCaches caches;
    const auto animates = [&](std::int64_t n, std::optional<std::int64_t> from) {
        return buildTree(caches, {1, seed, n, from, std::nullopt, {}}, [] { return true; })
            ->animation.has_value();
    };
    EXPECT_FALSE(animates(40, std::nullopt));
    EXPECT_FALSE(animates(40, 40));
    EXPECT_TRUE(animates(40, 37));
    EXPECT_TRUE(animates(37, 40)); // shrinking too
    // Far apart, or counts that overflow a plain difference, show at once.
    EXPECT_FALSE(animates(30000, 10));
    EXPECT_FALSE(animates(40, INT64_MIN));
}

TEST_F(BonsaiEngineTest, APlainShowInstallsAtOnceAndASecondCountOfTheSeedKeepsTheDiorama) {
    EXPECT_EQ(engine.info.get(), std::nullopt);
    EXPECT_EQ(engine.shownN.get(), 0);
    int done = 0;
    engine.show(seed, 300, std::nullopt, [&] { ++done; });
    settle();
    EXPECT_EQ(done, 1);
    EXPECT_EQ(engine.shownN.get(), 300);
    ASSERT_TRUE(engine.info.get());
    EXPECT_EQ(engine.info.get()->cubes, 300);
    const auto environment = engine.scene().lightingEnvironment;
    ASSERT_TRUE(environment);
    EXPECT_TRUE(engine.scene().backgroundImage);
    const auto key = engine.shownDioramaKey();
    ASSERT_TRUE(key);

    engine.show(seed, 301);
    settle();
    EXPECT_EQ(engine.shownN.get(), 301);
    EXPECT_EQ(engine.shownDioramaKey(), key);
    EXPECT_EQ(engine.scene().lightingEnvironment, environment);
    // treeH follows the tree on every material that sways.
    EXPECT_GE(engine.materials().leaf->floatValue("treeH").value_or(0.0f), 2.0f);
    EXPECT_EQ(engine.materials().leaf->floatValue("treeH"), engine.materials().grow->floatValue("treeH"));
}

TEST_F(BonsaiEngineTest, AnAnimatedShowEndsWithTheFinalTreeAndItsCompletion) {
    engine.show(seed, 300);
    settle();
    int done = 0;
    engine.show(seed, 303, 300, [&] { ++done; });
    settle();
    EXPECT_EQ(engine.shownN.get(), 300); // the final count only once the growth is over
    EXPECT_EQ(done, 0);
    main.advance(2.7); // no frames drawn: the fallback ends it
    EXPECT_EQ(done, 1);
    EXPECT_EQ(engine.shownN.get(), 303);
}

class BonsaiEngineDebugGrowTest : public BonsaiEngineTest {
  protected:
    BonsaiEngineDebugGrowTest() : BonsaiEngineTest(BonsaiEngine::Settings{"plain"}) {}
};

TEST_F(BonsaiEngineDebugGrowTest, PlainGrowingCubesGlowMagentaWithoutModifiersAndShrinkingOnesAreUntouched) {
    const auto& m = engine.materials();
    EXPECT_EQ(m.grow->emission, (scene::Vec3{1.0f, 0.0f, 1.0f}));
    EXPECT_TRUE(m.grow->geometryModifier.empty());
    EXPECT_TRUE(m.grow->surfaceModifier.empty());
    EXPECT_EQ(m.shrink->emission, (scene::Vec3{0.0f, 0.0f, 0.0f}));
    EXPECT_FALSE(m.shrink->geometryModifier.empty());
    BonsaiEngine glowing(main, BonsaiEngine::Settings{"1"}, [](std::function<void()>) {});
    EXPECT_EQ(glowing.materials().grow->emission, (scene::Vec3{1.0f, 0.0f, 1.0f}));
    EXPECT_FALSE(glowing.materials().grow->geometryModifier.empty());
}

TEST(BonsaiEngineWorker, TheEngineGoesCleanlyWithBuildsQueued) {
    test::VirtualClock clock;
    test::FakeMainQueue main{clock};
    {
        BonsaiEngine engine(main, {});
        for (int i = 0; i < 5; ++i)
            engine.show(seed, 20000 + i);
    }              // joins the worker: queued builds are stale and return at once
    main.runDue(); // a result handed over before the end finds no engine
    SUCCEED();
}

} // namespace
} // namespace vesk
