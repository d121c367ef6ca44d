#include "TestScenes.hpp"
#include "render/scene/Scene.hpp"

#include <cmath>
#include <gtest/gtest.h>

namespace vesk::scene {
namespace {

using testing::sparkBurst;

TEST(ParticleSystemTest, ABurstEmitsItsBirthRateOverItsEmissionTimeThenDies) {
    ParticleSystem system(sparkBurst());
    const Mat4 at = Mat4::compose({1, 2, 3}, {}, {1, 1, 1});
    system.step(5.0, at);
    EXPECT_TRUE(system.particles().empty()); // the first step only starts the clock
    double t = 5.0;
    for (int i = 0; i < 12; ++i)
        system.step(t += 1.0 / 60.0, at);
    // 120 per second for 0.12 s.
    EXPECT_EQ(system.particles().size(), 14u);
    for (const Particle& p : system.particles()) {
        EXPECT_GE(p.life, 0.7f - 1e-5f);
        EXPECT_LE(p.life, 1.5f + 1e-5f);
        EXPECT_GE(p.size, 0.0225f - 1e-6f);
        EXPECT_LE(p.size, 0.0675f + 1e-6f);
        // Born at the emitter, a fraction of a second ago.
        EXPECT_LT(std::abs(p.position.x - 1.0f) + std::abs(p.position.y - 2.0f) +
                      std::abs(p.position.z - 3.0f),
                  0.5f);
        EXPECT_GE(p.color.x, 0.85f); // a warm, light colour stays warm and light
        EXPECT_LE(p.color.z, p.color.x);
    }
    for (int i = 0; i < 30; ++i)
        system.step(t += 1.0 / 60.0, at);
    EXPECT_EQ(system.particles().size(), 14u);
    EXPECT_FALSE(system.finished());
    system.step(t += 1.6, at);
    EXPECT_TRUE(system.particles().empty());
    EXPECT_TRUE(system.finished());
}

TEST(ParticleSystemTest, OpacityFollowsTheKeyFramesOverEachLife) {
    ParticleSystem system(sparkBurst());
    Particle p;
    p.life = 2.0f;
    const std::pair<float, float> expected[] = {{0.0f, 0.0f},  {0.1f, 0.5f}, {0.2f, 1.0f}, {0.6f, 1.0f},
                                                {1.55f, 0.5f}, {2.0f, 0.0f}, {3.0f, 0.0f}};
    for (const auto& [age, opacity] : expected) {
        p.age = age;
        EXPECT_NEAR(system.opacity(p), opacity, 1e-5f) << "age " << age;
    }
    ParticleSettings plain;
    EXPECT_EQ(ParticleSystem(plain).opacity(p), 1.0f);
}

TEST(ParticleSystemTest, VelocityStaysInRangeAndDampingSlowsParticles) {
    ParticleSettings s = sparkBurst();
    s.acceleration = {};
    ParticleSystem system(s);
    system.step(0.0, {});
    system.step(0.12, {});
    ASSERT_FALSE(system.particles().empty());
    std::vector<float> speeds;
    for (const Particle& p : system.particles()) {
        const float v = std::sqrt(dot(p.velocity, p.velocity));
        EXPECT_LE(v, 0.85f + 1e-4f);
        speeds.push_back(v);
    }
    system.step(0.62, {});
    for (std::size_t i = 0; i < speeds.size(); ++i) {
        const Particle& p = system.particles()[i];
        EXPECT_NEAR(std::sqrt(dot(p.velocity, p.velocity)), speeds[i] * std::exp(-1.2f * 0.5f), 1e-4f);
    }
}

TEST(ParticleSystemTest, TheSceneStepsEmittersAndDropsFinishedOnes) {
    Scene scene;
    auto emitter = Node::make();
    emitter->setPosition({0, 1, 0});
    scene.root()->addChild(emitter);
    emitter->addParticleSystem(std::make_shared<ParticleSystem>(sparkBurst()));
    scene.update(0.0);
    scene.update(0.2);
    ASSERT_EQ(emitter->particleSystems().size(), 1u);
    EXPECT_FALSE(emitter->particleSystems()[0]->particles().empty());
    scene.update(2.0);
    EXPECT_TRUE(emitter->particleSystems().empty());
}

TEST(ParticleSystemTest, LoopingEmittersKeepEmitting) {
    ParticleSettings s;
    s.birthRate = 10.0f;
    s.lifeSpan = 0.5f;
    ParticleSystem system(s);
    system.step(0.0, {});
    for (double t = 0.1; t < 5.0; t += 0.1)
        system.step(t, {});
    EXPECT_GE(system.particles().size(), 4u);
    EXPECT_FALSE(system.finished());
}

} // namespace
} // namespace vesk::scene
