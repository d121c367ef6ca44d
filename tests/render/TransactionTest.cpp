#include "render/scene/Scene.hpp"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace vesk::scene {
namespace {

struct TransactionTest : ::testing::Test {
    Scene scene;
    std::shared_ptr<Node> node = Node::make();
    void SetUp() override { scene.root()->addChild(node); }
};

TEST(TimingTest, EaseInEaseOutIsSymmetricAndSlowAtBothEnds) {
    EXPECT_FLOAT_EQ(applyTiming(Timing::easeInEaseOut, 0.0f), 0.0f);
    EXPECT_FLOAT_EQ(applyTiming(Timing::easeInEaseOut, 1.0f), 1.0f);
    EXPECT_NEAR(applyTiming(Timing::easeInEaseOut, 0.5f), 0.5f, 1e-4f);
    for (float t : {0.1f, 0.2f, 0.35f}) {
        EXPECT_NEAR(applyTiming(Timing::easeInEaseOut, t) + applyTiming(Timing::easeInEaseOut, 1.0f - t),
                    1.0f, 1e-4f);
        EXPECT_LT(applyTiming(Timing::easeInEaseOut, t), t);
    }
    // The curve's value at a quarter, from its control points (0.42, 0) and (0.58, 1).
    EXPECT_NEAR(applyTiming(Timing::easeInEaseOut, 0.25f), 0.1291f, 2e-3f);
    EXPECT_FLOAT_EQ(applyTiming(Timing::linear, 0.3f), 0.3f);
    // Control points on the diagonal give the straight line; a steep start runs ahead.
    EXPECT_NEAR(cubicBezier(0.25, 0.25, 0.75, 0.75, 0.3), 0.3, 1e-9);
    EXPECT_GT(cubicBezier(0.0, 0.0, 0.58, 1.0, 0.3), 0.3);
    EXPECT_EQ(cubicBezier(0.42, 0.0, 0.58, 1.0, -2.0), 0.0);
    EXPECT_FLOAT_EQ(applyTiming(Timing::linear, 7.0f), 1.0f);
}

TEST_F(TransactionTest, AChangeInsideATransactionBlendsFromWhatWasShown) {
    {
        Transaction t({.durationSeconds = 2.0, .timing = Timing::easeInEaseOut});
        node->setPosition({4, 0, 0});
    }
    EXPECT_EQ(node->position().x, 4.0f); // the model value changes at once
    EXPECT_EQ(node->presentedPosition().x, 0.0f);
    scene.update(10.0); // the blend starts here
    EXPECT_EQ(node->presentedPosition().x, 0.0f);
    scene.update(11.0);
    EXPECT_NEAR(node->presentedPosition().x, 2.0f, 1e-3f);
    scene.update(10.5);
    scene.update(12.0);
    EXPECT_EQ(node->presentedPosition().x, 4.0f);
    EXPECT_EQ(node->worldTransform().translation().x, 4.0f);
}

TEST_F(TransactionTest, DisabledActionsAndPlainSetsJumpAndEndARunningBlend) {
    {
        Transaction t({.durationSeconds = 2.0});
        node->setPosition({4, 0, 0});
    }
    scene.update(0.0);
    scene.update(1.0);
    {
        Transaction t({.durationSeconds = 2.0, .disableActions = true});
        node->setPosition({-1, 0, 0});
    }
    EXPECT_EQ(node->presentedPosition().x, -1.0f);
    scene.update(1.5);
    EXPECT_EQ(node->presentedPosition().x, -1.0f);

    {
        Transaction t({.durationSeconds = 1.0});
        node->setScale(3.0f);
    }
    node->setScale(2.0f);
    EXPECT_EQ(node->presentedScale().x, 2.0f);
}

TEST_F(TransactionTest, ARetargetStartsFromTheBlendInProgress) {
    {
        Transaction t({.durationSeconds = 2.0});
        node->setPosition({4, 0, 0});
    }
    scene.update(0.0);
    scene.update(1.0); // shown at 2
    {
        Transaction t({.durationSeconds = 1.0});
        node->setPosition({0, 0, 0});
    }
    EXPECT_NEAR(node->presentedPosition().x, 2.0f, 1e-4f);
    scene.update(1.0);
    scene.update(1.5);
    EXPECT_NEAR(node->presentedPosition().x, 1.0f, 1e-4f);
}

TEST_F(TransactionTest, LookAtInsideATransactionTurnsSmoothly) {
    node->setPosition({0, 0, 0});
    node->lookAt({0, 0, -5});
    {
        Transaction t({.durationSeconds = 1.0});
        node->lookAt({5, 0, 0});
    }
    scene.update(0.0);
    scene.update(0.5);
    const Vec3 front = node->presentedOrientation().rotate({0, 0, -1});
    const float halfway = std::sqrt(0.5f);
    EXPECT_NEAR(front.x, halfway, 1e-3f);
    EXPECT_NEAR(front.z, -halfway, 1e-3f);
}

TEST_F(TransactionTest, NestedTransactionsUseTheInnermostAndRestoreTheOuter) {
    EXPECT_FALSE(Transaction::animating());
    Transaction outer({.durationSeconds = 2.0});
    {
        Transaction inner({.disableActions = true});
        EXPECT_FALSE(Transaction::animating());
        node->setOpacity(0.5f);
    }
    ASSERT_TRUE(Transaction::animating());
    EXPECT_EQ(Transaction::animating()->durationSeconds, 2.0);
    node->setOpacity(0.0f);
    EXPECT_EQ(node->presentedOpacity(), 0.5f);
}

} // namespace
} // namespace vesk::scene
