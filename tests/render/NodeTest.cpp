#include "ExpectNear.hpp"
#include "render/scene/FramePlan.hpp"
#include "render/scene/Scene.hpp"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace vesk::scene {
namespace {

using testing::expectNear;

TEST(NodeTest, LookAtPointsTheLocalFrontAtTheTargetAndKeepsTheUpright) {
    const Vec3 target{0, 1, 0};
    auto camera = Node::make();
    // An orbit pose: yaw 0.35, pitch 0.2, distance 12.1 around the target.
    camera->setPosition(target + Vec3{4.0663586f, 2.403899f, 11.139839f});
    camera->lookAt(target);
    const Quat q = camera->orientation();
    expectNear(q.rotate({0, 0, -1}), normalized(target - camera->position()));
    EXPECT_NEAR(q.rotate({1, 0, 0}).y, 0.0f, 1e-5f); // no roll: the right axis stays level
    EXPECT_GT(q.rotate({0, 1, 0}).y, 0.9f);

    // Another local front: +X aims at the target.
    auto light = Node::make();
    light->setPosition({0, 0, 0});
    light->lookAt({0, 0, 3}, {0, 1, 0}, {1, 0, 0});
    expectNear(light->orientation().rotate({1, 0, 0}), {0, 0, 1});

    // Looking straight down still gives a valid frame, and a target at the node changes nothing.
    auto sun = Node::make();
    sun->setPosition({0, 20, 0});
    sun->lookAt({0, 0, 0});
    expectNear(sun->orientation().rotate({0, 0, -1}), {0, -1, 0});
    const Quat before = sun->orientation();
    sun->lookAt(sun->position());
    EXPECT_EQ(sun->orientation(), before);
}

TEST(NodeTest, WorldTransformsComposeThroughTheParents) {
    auto parent = Node::make();
    parent->setScale(2.0f);
    parent->setPosition({1, 0, 0});
    parent->setOrientation(Quat::axisAngle({0, 1, 0}, std::numbers::pi_v<float> / 2));
    auto child = Node::make();
    child->setPosition({1, 0, 0});
    parent->addChild(child);
    // (1,0,0) scaled by 2, turned a quarter about +Y to (0,0,−2), moved by (1,0,0).
    expectNear(child->worldTransform().translation(), {1, 0, -2});
    const Mat4 w = child->worldTransform();
    expectNear(inverse(w).transformPoint(w.transformPoint({0.3f, -2, 5})), {0.3f, -2, 5});
}

TEST(NodeTest, TreeEditsKeepOneParentAndRefuseCycles) {
    auto a = Node::make("a"), b = Node::make("b"), c = Node::make("c");
    a->addChild(c);
    b->addChild(c); // moves it
    EXPECT_TRUE(a->children().empty());
    EXPECT_EQ(c->parent(), b.get());
    c->addChild(b); // b is c's ancestor
    EXPECT_EQ(b->parent(), nullptr);
    EXPECT_TRUE(c->children().empty());
    b->removeAllChildren();
    EXPECT_EQ(c->parent(), nullptr);
    c->removeFromParent(); // no parent: nothing happens

    // A child kept elsewhere outlives its parent without pointing at it.
    auto kept = Node::make("kept");
    {
        auto parent = Node::make("parent");
        parent->addChild(kept);
        parent->setPosition({5, 0, 0});
    }
    EXPECT_EQ(kept->parent(), nullptr);
    EXPECT_EQ(kept->worldTransform().translation().x, 0.0f);
    kept->removeFromParent();
}

TEST(CameraTest, ProjectionHasAVerticalFieldOfViewAndClipPlanes) {
    Camera camera;
    camera.fieldOfViewDegrees = 30.0f;
    camera.zNear = 0.05f;
    camera.zFar = 300.0f;
    const Mat4 p = camera.projection(1.2f);
    auto ndc = [&](Vec3 v) {
        const Vec4 c = p * Vec4{v.x, v.y, v.z, 1.0f};
        return Vec3{c.x / c.w, c.y / c.w, c.z / c.w};
    };
    const float up = std::tan(15.0f * std::numbers::pi_v<float> / 180.0f);
    expectNear(ndc({0, up * 10.0f, -10.0f}), {0, 1, ndc({0, 0, -10}).z});
    EXPECT_NEAR(ndc({up * 1.2f * 10.0f, 0, -10.0f}).x, 1.0f, 1e-4f);
    EXPECT_NEAR(ndc({0, 0, -0.05f}).z, -1.0f, 1e-4f);
    EXPECT_NEAR(ndc({0, 0, -300.0f}).z, 1.0f, 1e-3f);
}

TEST(CameraTest, TheFramePlanLooksFromThePointOfView) {
    Scene scene;
    auto pov = Node::make();
    pov->camera = Camera{};
    pov->setPosition({0, 1, 10});
    pov->lookAt({0, 1, 0});
    scene.root()->addChild(pov);
    const FramePlan plan = FramePlan::make(scene, *pov, 1.0f);
    expectNear(plan.cameraPosition, {0, 1, 10});
    expectNear(plan.view.transformPoint({0, 1, 0}), {0, 0, -10});
    const Vec4 clip = plan.projection * (plan.view * Vec4{0, 1, 0, 1});
    EXPECT_NEAR(clip.x / clip.w, 0.0f, 1e-5f);
    EXPECT_NEAR(clip.y / clip.w, 0.0f, 1e-5f);
}

} // namespace
} // namespace vesk::scene
