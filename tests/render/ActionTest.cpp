#include "ExpectNear.hpp"
#include "render/scene/Scene.hpp"

#include <gtest/gtest.h>

namespace vesk::scene {
namespace {

using testing::expectNear;

struct ActionTest : ::testing::Test {
    Scene scene;
    std::shared_ptr<Node> node = Node::make("n");
    void SetUp() override { scene.root()->addChild(node); }
};

TEST_F(ActionTest, TheClockStartsAtTheFirstStepAfterTheActionIsRun) {
    node->runAction(Action::moveTo({2, 0, 0}, 2.0));
    scene.update(10.0);
    expectNear(node->position(), {0, 0, 0});
    scene.update(11.0);
    expectNear(node->position(), {1, 0, 0});
}

TEST_F(ActionTest, SequenceRunsChildrenOneAfterAnotherAndCompletesOnce) {
    int completions = 0;
    node->runAction(Action::sequence({Action::moveTo({1, 0, 0}, 1.0), Action::moveTo({1, 1, 0}, 1.0)}), {},
                    [&] { ++completions; });
    EXPECT_DOUBLE_EQ(Action::sequence({Action::wait(1.0), Action::wait(0.5)}).durationSeconds(), 1.5);
    scene.update(0.0);
    scene.update(0.5);
    expectNear(node->position(), {0.5f, 0, 0});
    scene.update(1.5);
    expectNear(node->position(), {1, 0.5f, 0});
    EXPECT_EQ(completions, 0);
    scene.update(2.0);
    expectNear(node->position(), {1, 1, 0});
    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(node->hasActions());
    scene.update(3.0);
    EXPECT_EQ(completions, 1);
}

TEST_F(ActionTest, AFrameGapFinishesEachChildBeforeTheNextStarts) {
    // The second move starts from where the first ended, not from where the node was.
    node->runAction(Action::sequence({Action::moveTo({1, 0, 0}, 1.0), Action::moveTo({1, 2, 0}, 1.0)}));
    scene.update(0.0);
    scene.update(1.5);
    expectNear(node->position(), {1, 1, 0});
    scene.update(9.0);
    expectNear(node->position(), {1, 2, 0});
}

TEST_F(ActionTest, GroupRunsTogetherForItsLongestChild) {
    node->setOpacity(0.8f);
    bool done = false;
    const Action g = Action::group({Action::scaleTo(2.0f, 1.0), Action::fadeOut(2.0)});
    EXPECT_DOUBLE_EQ(g.durationSeconds(), 2.0);
    node->runAction(g, {}, [&] { done = true; });
    scene.update(0.0);
    scene.update(0.5);
    expectNear(node->scale(), {1.5f, 1.5f, 1.5f});
    EXPECT_NEAR(node->opacity(), 0.6f, 1e-5f);
    scene.update(1.0);
    expectNear(node->scale(), {2, 2, 2});
    EXPECT_NEAR(node->opacity(), 0.4f, 1e-5f);
    EXPECT_FALSE(done);
    scene.update(2.0);
    EXPECT_NEAR(node->opacity(), 0.0f, 1e-6f);
    EXPECT_TRUE(done);
}

TEST_F(ActionTest, RunBlockRunsExactlyOnceWhenItsTurnComes) {
    int runs = 0;
    node->runAction(
        Action::sequence({Action::wait(0.5), Action::run([&](Node&) { ++runs; }), Action::wait(1.0)}));
    scene.update(0.0);
    scene.update(0.49);
    EXPECT_EQ(runs, 0);
    scene.update(0.5);
    EXPECT_EQ(runs, 1);
    for (double t = 0.6; t < 3.0; t += 0.1)
        scene.update(t);
    EXPECT_EQ(runs, 1);
}

TEST_F(ActionTest, InstantSequencesFinishOnTheirFirstStep) {
    std::vector<int> order;
    bool done = false;
    node->runAction(Action::sequence({Action::run([&](Node&) { order.push_back(1); }),
                                      Action::run([&](Node&) { order.push_back(2); })}),
                    {}, [&] { done = true; });
    scene.update(4.0);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_TRUE(done);
}

TEST_F(ActionTest, AKeyReplacesTheRunningActionAndRemovalDropsItsCompletion) {
    int first = 0, second = 0;
    node->runAction(Action::moveTo({5, 0, 0}, 1.0), "k", [&] { ++first; });
    node->runAction(Action::moveTo({0, 3, 0}, 1.0), "k", [&] { ++second; });
    scene.update(0.0);
    scene.update(1.0);
    expectNear(node->position(), {0, 3, 0});
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);

    node->runAction(Action::wait(1.0), "w", [&] { ++first; });
    node->runAction(Action::wait(1.0), {}, [&] { ++second; });
    EXPECT_TRUE(node->hasAction("w"));
    node->removeAction("w");
    EXPECT_FALSE(node->hasAction("w"));
    scene.update(2.0);
    scene.update(3.0);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 2); // unkeyed actions are never replaced or removed by a key
}

TEST_F(ActionTest, CustomStepsSeeElapsedTimeAndEndOnTheFullDuration) {
    std::vector<double> seen;
    node->runAction(Action::custom(2.0, [&](Node&, double e) { seen.push_back(e); }));
    scene.update(1.0);
    scene.update(1.5);
    scene.update(5.0);
    scene.update(6.0);
    EXPECT_EQ(seen, (std::vector<double>{0.0, 0.5, 2.0}));
}

TEST_F(ActionTest, EaseInEaseOutPacesTheMove) {
    node->runAction(Action::moveTo({1, 0, 0}, 2.0).withTiming(Timing::easeInEaseOut));
    scene.update(0.0);
    scene.update(0.5);
    const float early = node->position().x;
    scene.update(1.0);
    EXPECT_LT(early, 0.25f);
    EXPECT_GT(early, 0.0f);
    EXPECT_NEAR(node->position().x, 0.5f, 1e-3f);
}

TEST_F(ActionTest, RemoveFromParentInASequenceTakesTheNodeOutOfTheScene) {
    int after = 0;
    node->runAction(Action::sequence(
        {Action::fadeOut(1.0), Action::removeFromParent(), Action::run([&](Node&) { ++after; })}));
    scene.update(0.0);
    scene.update(1.0);
    EXPECT_EQ(node->parent(), nullptr);
    EXPECT_EQ(scene.root()->children().size(), 0u);
    EXPECT_EQ(after, 1); // the rest of the sequence still ran in that step
    scene.update(2.0);
    EXPECT_EQ(after, 1);
}

TEST_F(ActionTest, ACompletionMayStartTheNextActionOnTheSameNode) {
    int chained = 0;
    node->runAction(Action::wait(1.0), "a", [&] {
        node->runAction(Action::moveTo({0, 0, 4}, 1.0), "a", [&] { ++chained; });
    });
    scene.update(0.0);
    scene.update(1.0);
    EXPECT_TRUE(node->hasAction("a"));
    scene.update(1.5); // the new action's clock starts here
    scene.update(2.5);
    expectNear(node->position(), {0, 0, 4});
    EXPECT_EQ(chained, 1);
}

TEST_F(ActionTest, AStepThatRemovesItsOwnActionEndsItWithoutCompletion) {
    bool completed = false;
    node->runAction(Action::custom(1.0, [](Node& n, double) { n.removeAction("self"); }), "self",
                    [&] { completed = true; });
    scene.update(0.0);
    scene.update(1.0);
    EXPECT_FALSE(completed);
    EXPECT_FALSE(node->hasActions());
}

TEST_F(ActionTest, NegativeAndNonFiniteDurationsCountAsZero) {
    EXPECT_EQ(Action::wait(-3.0).durationSeconds(), 0.0);
    EXPECT_EQ(Action::fadeOut(std::numeric_limits<double>::quiet_NaN()).durationSeconds(), 0.0);
    node->runAction(Action::moveTo({1, 1, 1}, -1.0));
    scene.update(0.0);
    expectNear(node->position(), {1, 1, 1});
}

} // namespace
} // namespace vesk::scene
