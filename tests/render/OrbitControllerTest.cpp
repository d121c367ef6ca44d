#include "render/scene/OrbitController.hpp"

#include "ExpectNear.hpp"

#include <cmath>
#include <gtest/gtest.h>

namespace vesk::scene {
namespace {

using testing::expectNear;

struct OrbitControllerTest : ::testing::Test {
    OrbitController orbit{OrbitController::Settings{}};
    std::shared_ptr<Node> camera = Node::make();
    void SetUp() override {
        // The bonsai tab's pose: yaw 0.35, pitch 0.2, distance 12.1 around (0, 1, 0).
        camera->setPosition(Vec3{0, 1, 0} + Vec3{4.0663586f, 2.403899f, 11.139839f});
        orbit.attach(*camera);
    }
};

TEST_F(OrbitControllerTest, AttachingReadsThePoseAndSteppingKeepsIt) {
    EXPECT_NEAR(orbit.yaw(), 0.35f, 1e-4f);
    EXPECT_NEAR(orbit.pitch(), 0.2f, 1e-4f);
    EXPECT_NEAR(orbit.distance(), 12.1f, 1e-3f);
    orbit.step(*camera, 0.0);
    expectNear(camera->position(), Vec3{4.0663586f, 3.403899f, 11.139839f}, 1e-3f);
    expectNear(camera->orientation().rotate({0, 0, -1}), normalized(Vec3{0, 1, 0} - camera->position()));
}

TEST_F(OrbitControllerTest, TiltStopsAtTheLimits) {
    orbit.drag({0, 10000}, 0.0);
    EXPECT_NEAR(orbit.pitch(), 80.0f * 3.14159265f / 180.0f, 1e-4f);
    orbit.drag({0, -20000}, 0.1);
    EXPECT_NEAR(orbit.pitch(), -12.0f * 3.14159265f / 180.0f, 1e-4f);
}

TEST_F(OrbitControllerTest, AReleasedTurnCoastsAndSlowsDown) {
    double t = 0.0;
    for (int i = 0; i < 5; ++i)
        orbit.drag({-10, 0}, t += 1.0 / 60.0);
    orbit.release(t);
    const float atRelease = orbit.yaw();
    orbit.step(*camera, t);
    orbit.step(*camera, t += 1.0 / 60.0);
    const float first = orbit.yaw() - atRelease;
    EXPECT_GT(first, 0.0f);
    for (int i = 0; i < 30; ++i)
        orbit.step(*camera, t += 1.0 / 60.0);
    const float before = orbit.yaw();
    orbit.step(*camera, t += 1.0 / 60.0);
    const float later = orbit.yaw() - before;
    EXPECT_GT(later, 0.0f);
    EXPECT_NEAR(later / first, std::pow(0.92f, 31.0f), 0.02f);
    for (int i = 0; i < 600; ++i)
        orbit.step(*camera, t += 1.0 / 60.0);
    const float settled = orbit.yaw();
    orbit.step(*camera, t += 1.0);
    EXPECT_FLOAT_EQ(orbit.yaw(), settled);
}

TEST_F(OrbitControllerTest, LettingGoAfterAPauseDoesNotSpin) {
    orbit.drag({-10, 0}, 0.0);
    orbit.release(0.5);
    const float yaw = orbit.yaw();
    orbit.step(*camera, 0.5);
    orbit.step(*camera, 0.6);
    EXPECT_FLOAT_EQ(orbit.yaw(), yaw);
}

TEST_F(OrbitControllerTest, DollyMovesAlongTheViewLineButNotThroughTheTarget) {
    orbit.dolly(0.5f);
    EXPECT_NEAR(orbit.distance(), 6.05f, 1e-3f);
    orbit.dolly(1.0f);
    EXPECT_EQ(orbit.distance(), 0.5f);
}

} // namespace
} // namespace vesk::scene
