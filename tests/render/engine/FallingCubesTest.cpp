#include "render/engine/FallingCubes.hpp"

#include "render/scene/Scene.hpp"

#include <algorithm>
#include <gtest/gtest.h>

namespace vesk {
namespace {

FallingCubes::Config config(float rate, float spawnY = 10.0f) {
    FallingCubes::Config c;
    c.colors = {{0.2f, 0.5f, 0.1f}, {0.6f, 0.3f, 0.1f}};
    c.rate = rate;
    c.size = 0.1f;
    c.spawn = {{0.0f, spawnY, 0.0f}, {0.5f, spawnY, 0.5f}};
    c.rest = [](float, float) { return 0.0f; };
    return c;
}

std::size_t falling(const FallingCubes& cubes) {
    const auto& l = cubes.leaves();
    return std::size_t(std::count_if(l.begin(), l.end(), [](const auto& leaf) { return !leaf.landed; }));
}

TEST(FallingCubesTest, SpawnRateStepCapAndFallingCap) {
    FallingCubes cubes;
    cubes.configure(config(30.0f));
    cubes.update(0.0); // first step moves nothing
    EXPECT_TRUE(cubes.leaves().empty());
    for (int frame = 1; frame <= 4; ++frame)
        cubes.update(frame / 60.0);
    EXPECT_EQ(cubes.leaves().size(), 2u); // one every second frame

    FallingCubes gap;
    gap.configure(config(30.0f));
    gap.update(0.0);
    gap.update(1.0); // counts as 0.05 s: 1.5 leaves' worth
    EXPECT_EQ(gap.leaves().size(), 1u);

    FallingCubes capped;
    capped.configure(config(1000.0f, 1e6f));
    for (int frame = 0; frame < 100; ++frame)
        capped.update(frame * 0.05);
    EXPECT_EQ(falling(capped), FallingCubes::maxFalling + 1);
}

TEST(FallingCubesTest, TheEarliestOf161LandedFadesAndRunsRepeat) {
    auto run = [] {
        FallingCubes cubes;
        cubes.configure(config(20.0f, 0.05f)); // spawned just above the floor, they land at once
        std::vector<float> xs;
        bool removed = false;
        for (int frame = 0; frame < 400 && !removed; ++frame) {
            const std::size_t landed = cubes.leaves().size() - falling(cubes);
            const auto gone = cubes.update(frame * 0.05);
            if (gone) {
                EXPECT_EQ(landed, FallingCubes::keptLanded + 1);
                removed = true;
            }
        }
        EXPECT_TRUE(removed);
        for (const auto& leaf : cubes.leaves())
            xs.push_back(leaf.pos.x);
        return xs;
    };
    EXPECT_EQ(run(), run());
}

TEST(FallingCubesTest, ALeafRestsHalfAnEdgeAboveTheSurface) {
    FallingCubes cubes;
    auto c = config(20.0f, 0.3f);
    c.rest = [](float, float) { return 0.25f; };
    cubes.configure(c);
    for (int frame = 0; frame < 200; ++frame)
        cubes.update(frame * 0.05);
    ASSERT_FALSE(cubes.leaves().empty());
    EXPECT_FLOAT_EQ(cubes.leaves().front().pos.y, 0.3f);
    EXPECT_TRUE(cubes.leaves().front().landed);
}

TEST(FallingCubesTest, EveryLeafIsABoxNodeAndANewSetUpClearsThemAtOnce) {
    scene::Scene world;
    FallingCubes cubes;
    world.root()->addChild(cubes.node());
    cubes.configure(config(20.0f, 0.05f));
    std::shared_ptr<scene::Node> fading;
    double t = 0.0;
    for (int frame = 0; frame < 400 && !fading; ++frame, t += 0.05) {
        if (const auto gone = cubes.update(t)) fading = gone->node;
        world.update(t);
    }
    ASSERT_TRUE(fading);
    // The removed leaf fades out over 1.5 s, then leaves the scene; the others stay.
    EXPECT_EQ(cubes.node()->children().size(), cubes.leaves().size() + 1);
    EXPECT_EQ(fading->parent(), cubes.node().get());
    for (const auto& leaf : cubes.leaves()) {
        ASSERT_TRUE(leaf.node->geometry);
        EXPECT_FLOAT_EQ(leaf.node->geometry->boundsMax().x, 0.05f); // edge 0.1
    }
    world.update(t + 0.75);
    EXPECT_NEAR(fading->presentedOpacity(), 0.5f, 0.05f);
    world.update(t + 1.6);
    EXPECT_EQ(fading->parent(), nullptr);

    cubes.configure(config(0.0f));
    cubes.update(t + 2.0);
    EXPECT_TRUE(cubes.node()->children().empty());
    EXPECT_TRUE(cubes.leaves().empty());
}

} // namespace
} // namespace vesk
