#include "render/engine/GrowthAnimation.hpp"

#include "support/FakeMainQueue.hpp"

#include <gtest/gtest.h>
#include <ranges>

namespace vesk {
namespace {

using scene::Vec3;

Framing frameOf(float scale, Vec3 offset) {
    Framing frame{};
    frame.scale = scale;
    frame.offset = offset;
    return frame;
}

std::shared_ptr<scene::Geometry> box() {
    return scene::Geometry::make(scene::boxStreams(1.0f, 1.0f, 1.0f));
}

class GrowthAnimationTest : public ::testing::Test {
  protected:
    GrowthAnimationTest() {
        for (auto* node : {&parts.content, &parts.wood, &parts.leaves, &parts.grow, &parts.shrink,
                           &parts.sparkRoot, &parts.revealCamera, &parts.camera})
            *node = scene::Node::make();
        for (auto* node : {&parts.content, &parts.sparkRoot, &parts.revealCamera, &parts.camera})
            world.root()->addChild(*node);
        for (auto* node : {&parts.wood, &parts.leaves, &parts.grow, &parts.shrink})
            parts.content->addChild(*node);
        for (auto* m : {&parts.woodMat, &parts.leafMat, &parts.growMat, &parts.shrinkMat})
            *m = std::make_shared<scene::Material>();
        animation =
            std::make_unique<GrowthAnimation>(main, parts, [this](std::int64_t n) { shown.push_back(n); });
    }

    GrowthAnimation::Final final(std::int64_t request, std::int64_t n, float scale = 0.5f) {
        return {request, n, box(), box(), frameOf(scale, {0.0f, 0.3f, 0.0f})};
    }
    GrowthAnimation::Change change(float fromScale = 0.5f) {
        GrowthAnimation::Change c;
        c.baseWood = box();
        c.grow = box();
        c.added = 1;
        c.fromFrame = frameOf(fromScale, {0.0f, 0.5f, 0.0f});
        return c;
    }
    // The scene's step as the view's frames drive it, every 1/60 s up to `seconds`.
    void renderUntil(double seconds) {
        for (; now_ <= seconds + 1e-9; now_ += 1.0 / 60.0)
            world.update(now_);
    }
    float growT() const { return parts.growMat->floatValue("growT").value_or(-1.0f); }

    test::VirtualClock clock;
    test::FakeMainQueue main{clock};
    scene::Scene world;
    GrowthAnimation::Scene parts;
    std::vector<std::int64_t> shown;
    std::unique_ptr<GrowthAnimation> animation;
    double now_ = 0.0;
};

TEST_F(GrowthAnimationTest, CompletionAndFallbackBothComeButTheAnimationEndsOnce) {
    int done = 0;
    animation->start(final(1, 11), change(), [&] { ++done; });
    EXPECT_TRUE(animation->running());
    EXPECT_FLOAT_EQ(growT(), 0.0f);
    EXPECT_EQ(parts.content->scale().x, 0.5f);
    EXPECT_EQ(parts.content->position().y, 0.5f); // the earlier framing first
    renderUntil(1.0);
    EXPECT_NEAR(growT(), 0.5f, 0.01f);
    EXPECT_EQ(done, 0);
    renderUntil(2.1);
    // The action's completion only hops to the main queue.
    EXPECT_EQ(done, 0);
    main.runDue();
    EXPECT_EQ(done, 1);
    EXPECT_FALSE(animation->running());
    EXPECT_EQ(shown, (std::vector<std::int64_t>{11}));
    EXPECT_EQ(parts.grow->geometry, nullptr);
    EXPECT_EQ(parts.content->position().y, 0.3f);
    main.advance(3.0); // the fallback finds nothing left to end
    EXPECT_EQ(done, 1);
    EXPECT_EQ(shown.size(), 1u);
}

TEST_F(GrowthAnimationTest, WithoutFramesTheFallbackEndsItAtTwoPointSixSeconds) {
    int done = 0;
    animation->start(final(1, 5), change(), [&] { ++done; });
    main.advance(2.5);
    EXPECT_EQ(done, 0);
    main.advance(0.1);
    EXPECT_EQ(done, 1);
    // A completion arriving late changes nothing.
    renderUntil(2.5);
    main.advance(1.0);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(shown, (std::vector<std::int64_t>{5}));
}

TEST_F(GrowthAnimationTest, ASecondShowInstallsTheFirstsFinalStateAndDropsItsCompletion) {
    int firstDone = 0, secondDone = 0;
    auto first = final(1, 20);
    const auto firstWood = first.wood;
    animation->start(std::move(first), change(), [&] { ++firstDone; });
    renderUntil(0.5);
    // The engine ends a running animation without its completion before every install.
    animation->finish(GrowthAnimation::Completion::dropped);
    EXPECT_EQ(parts.wood->geometry, firstWood);
    EXPECT_EQ(shown, (std::vector<std::int64_t>{20}));
    animation->start(final(2, 24, 0.4f), change(0.5f), [&] { ++secondDone; });
    EXPECT_EQ(parts.content->scale().x, 0.5f); // the second starts from its own earlier framing
    EXPECT_TRUE(parts.content->hasAction("reframe"));
    main.advance(2.0); // the first's fallback: not its animation any more
    EXPECT_EQ(animation->runningRequest(), 2);
    renderUntil(3.0);
    main.runDue();
    EXPECT_EQ(firstDone, 0);
    EXPECT_EQ(secondDone, 1);
    EXPECT_EQ(shown, (std::vector<std::int64_t>{20, 24}));
    EXPECT_FLOAT_EQ(parts.content->scale().x, 0.4f);
}

TEST_F(GrowthAnimationTest, AFrozenFrameStaysUntilTheFallbackEndsTheAnimation) {
    int done = 0;
    animation->start(final(1, 9), change(), [&] { ++done; });
    renderUntil(0.1);
    animation->freeze(0.5f);
    renderUntil(2.5);
    main.runDue();
    EXPECT_FLOAT_EQ(growT(), 0.5f);
    EXPECT_FLOAT_EQ(parts.shrinkMat->floatValue("growT").value_or(-1.0f), 0.5f);
    EXPECT_TRUE(animation->running());
    EXPECT_EQ(done, 0);
    main.advance(2.6);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(shown, (std::vector<std::int64_t>{9}));
}

TEST_F(GrowthAnimationTest, OnlyAChangeOfScaleReframes) {
    animation->start(final(1, 3, 0.5f), change(0.5f + 1e-6f), {});
    EXPECT_FALSE(parts.content->hasAction("reframe"));
    // Without re-framing the content jumps to its final frame only at the end.
    renderUntil(1.0);
    EXPECT_EQ(parts.content->position().y, 0.5f);
    animation->finish(GrowthAnimation::Completion::told);
    animation->start(final(2, 4, 0.5f), change(0.6f), {});
    EXPECT_TRUE(parts.content->hasAction("reframe"));
}

TEST_F(GrowthAnimationTest, TheRevealCameraLeansTowardTheFocusAndSparksComeAndGo) {
    auto c = change();
    c.focus = Vec3{1.0f, 3.0f, 0.0f};
    c.sparks = {{{0.1f, 1.2f, 0.0f}, 0.0f}, {{0.2f, 1.4f, 0.0f}, 0.7f}};
    animation->start(final(1, 3), c, {});
    // aim = target + (focus − target)·0.55, camera at aim + 0.66 of the rest offset.
    const Vec3 p = parts.revealCamera->position();
    EXPECT_NEAR(p.x, 0.55f + 1.7087307f, 1e-5f);
    EXPECT_NEAR(p.y, 1.0f + 1.1f + 1.1145903f, 1e-5f);
    EXPECT_NEAR(p.z, 6.691932f, 1e-5f);
    ASSERT_EQ(parts.sparkRoot->children().size(), 2u);
    renderUntil(0.1);
    EXPECT_EQ(parts.sparkRoot->children()[0]->particleSystems().size(), 1u);
    EXPECT_TRUE(parts.sparkRoot->children()[1]->particleSystems().empty()); // starts at 1.4 + 0.05 s
    renderUntil(1.5);
    EXPECT_EQ(parts.sparkRoot->children()[1]->particleSystems().size(), 1u);
    renderUntil(4.0);
    EXPECT_TRUE(parts.sparkRoot->children().empty());

    // The next animation resets the camera first and clears earlier sparks at once.
    animation->finish(GrowthAnimation::Completion::told);
    c.focus.reset();
    c.sparks = {{{0.0f, 1.0f, 0.0f}, 0.5f}};
    animation->start(final(2, 4), c, {});
    const Vec3 rest = parts.revealCamera->position();
    EXPECT_NEAR(rest.x, 2.588986f, 1e-5f);
    EXPECT_NEAR(rest.y, 1.0f + 1.688773f, 1e-5f);
    EXPECT_NEAR(rest.z, 10.13929f, 1e-5f);
    animation->start(final(3, 5), change(), {});
    EXPECT_TRUE(parts.sparkRoot->children().empty());
}

bonsai::Cube cubeAt(std::int32_t x, std::int32_t y, std::int32_t z) {
    bonsai::Cube cube{};
    cube.x = x;
    cube.y = y;
    cube.z = z;
    return cube;
}

TEST(GrowthAnimationMesh, CubesStartOneAfterAnotherInTheGivenOrder) {
    EXPECT_EQ(GrowthAnimation::animatedMesh(std::vector<bonsai::Cube>{}), nullptr);
    const std::vector<bonsai::Cube> cubes{cubeAt(0, 0, 0), cubeAt(1, 0, 0), cubeAt(2, 0, 0)};
    const auto startsOf = [](const scene::Geometry& g) {
        std::vector<float> starts;
        for (std::size_t v = 0; v < g.source().vertexCount(); v += 24)
            starts.push_back(g.source().a1[v * 2 + 1]);
        return starts;
    };
    const auto forward = GrowthAnimation::animatedMesh(cubes);
    ASSERT_NE(forward, nullptr);
    EXPECT_EQ(forward->source().vertexCount(), 72u);
    EXPECT_EQ(forward->source().idx.size(), 108u);
    EXPECT_EQ(startsOf(*forward), (std::vector<float>{0.0f, 0.35f, 0.7f}));
    // Removed cubes go in reverse, so the one revealed last vanishes first.
    const auto reversed = GrowthAnimation::animatedMesh(cubes | std::views::reverse);
    EXPECT_EQ(reversed->source().a0[0], 2.0f);
    EXPECT_EQ(startsOf(*GrowthAnimation::animatedMesh(std::vector<bonsai::Cube>{cubeAt(4, 5, 6)})),
              (std::vector<float>{0.15f}));
}

TEST(GrowthAnimationView, APointOfViewIsKeptWithinTwentyFourUnits) {
    auto pov = scene::Node::make();
    const Vec3 target{0.0f, 1.0f, 0.0f};
    pov->setPosition(target + Vec3{0.0f, 18.0f, 24.0f}); // 30 away
    GrowthAnimation::keepInView(*pov, target);
    EXPECT_NEAR(pov->position().y, 1.0f + 14.4f, 1e-4f);
    EXPECT_NEAR(pov->position().z, 19.2f, 1e-4f);
    pov->setPosition(target + Vec3{0.0f, 0.0f, 24.0f});
    GrowthAnimation::keepInView(*pov, target);
    EXPECT_EQ(pov->position().z, 24.0f);
}

TEST_F(GrowthAnimationTest, TheOrbitTurnsSlowlyAtBothEndsAndFastestInTheMiddle) {
    animation->orbit(0.1f, 1.2f, 6.0);
    const auto yawAt = [&](double t) {
        renderUntil(t);
        const Vec3 d = parts.camera->position() - parts.orbitTarget;
        EXPECT_NEAR(length(d), 12.1f, 1e-4f);
        return std::atan2(d.x, d.z);
    };
    const float a = yawAt(0.0), b = yawAt(0.5), c = yawAt(2.75), d = yawAt(3.25), e = yawAt(5.5),
                f = yawAt(6.0);
    EXPECT_NEAR(a, 0.1f, 1e-3f);
    EXPECT_NEAR(f, 1.2f, 1e-4f);
    EXPECT_GT(d - c, 2.0f * (b - a));
    EXPECT_GT(d - c, 2.0f * (f - e));
}

} // namespace
} // namespace vesk
