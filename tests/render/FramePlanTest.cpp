#include "render/scene/FramePlan.hpp"

#include "render/scene/EnvironmentLighting.hpp"

#include <gtest/gtest.h>

namespace vesk::scene {
namespace {

std::shared_ptr<Node> meshNode(Scene& scene, Vec3 position, std::shared_ptr<Material> material) {
    auto node = Node::make();
    auto geometry = Geometry::make(boxStreams(1, 1, 1));
    if (material) geometry->materials = {std::move(material)};
    node->geometry = geometry;
    node->setPosition(position);
    scene.root()->addChild(node);
    return node;
}

TEST(FramePlanTest, SortsWhatItDrawsAndLeavesOutWhatCannotBeSeen) {
    Scene scene;
    auto pov = Node::make();
    scene.root()->addChild(pov); // at the origin, looking along −Z
    auto m = std::make_shared<Material>();
    auto nearOpaque = meshNode(scene, {0, 0, -2}, m);
    auto farOpaque = meshNode(scene, {0, 0, -8}, m);
    auto nearFading = meshNode(scene, {0, 0, -3}, m);
    auto farFading = meshNode(scene, {0, 0, -6}, m);
    nearFading->setOpacity(0.5f);
    farFading->setOpacity(0.2f);
    meshNode(scene, {0, 0, -4}, m)->hidden = true;
    auto hiddenParent = Node::make();
    hiddenParent->hidden = true;
    scene.root()->addChild(hiddenParent);
    hiddenParent->addChild(meshNode(scene, {0, 0, -4}, m));
    // Opacity multiplies down the tree.
    auto fadingParent = Node::make();
    fadingParent->setOpacity(0.5f);
    scene.root()->addChild(fadingParent);
    auto halfOfHalf = meshNode(scene, {0, 0, -5}, m);
    halfOfHalf->setOpacity(0.5f);
    fadingParent->addChild(halfOfHalf);
    meshNode(scene, {0, 0, -4}, m)->setOpacity(0.0f);
    meshNode(scene, {0, 0, -4}, nullptr);

    const FramePlan plan = FramePlan::make(scene, *pov, 1.0f);
    ASSERT_EQ(plan.opaque.size(), 2u);
    EXPECT_EQ(plan.opaque[0].geometry, nearOpaque->geometry.get()); // front to back
    EXPECT_EQ(plan.opaque[1].geometry, farOpaque->geometry.get());
    ASSERT_EQ(plan.transparent.size(), 3u);
    EXPECT_EQ(plan.transparent[0].geometry, farFading->geometry.get()); // back to front
    EXPECT_FLOAT_EQ(plan.transparent[0].opacity, 0.2f);
    EXPECT_EQ(plan.transparent[1].geometry, halfOfHalf->geometry.get());
    EXPECT_FLOAT_EQ(plan.transparent[1].opacity, 0.25f);
    EXPECT_EQ(plan.transparent[2].geometry, nearFading->geometry.get());
}

TEST(FramePlanTest, LightsShineAlongTheirNodesFrontAndTheFirstShadowedOneGetsTheMap) {
    Scene scene;
    auto pov = Node::make();
    scene.root()->addChild(pov);
    auto addLight = [&](Vec3 at, bool shadow, float intensity) {
        auto node = Node::make();
        DirectionalLight light;
        light.castsShadow = shadow;
        light.intensity = intensity;
        light.color = {1.0f, 0.5f, 0.25f};
        light.orthographicScale = 4.4f;
        light.shadowNear = 1.0f;
        light.shadowFar = 60.0f;
        node->light = light;
        node->setPosition(at);
        node->lookAt({0, 1, 0});
        scene.root()->addChild(node);
    };
    addLight({0, 21, 0}, false, 260.0f);
    addLight({20, 1, 0}, true, 1500.0f);
    addLight({0, 1, 20}, true, 650.0f);

    const FramePlan plan = FramePlan::make(scene, *pov, 1.0f);
    ASSERT_EQ(plan.lights.size(), 3u);
    EXPECT_NEAR(plan.lights[0].direction.y, -1.0f, 1e-5f);
    EXPECT_NEAR(plan.lights[1].direction.x, -1.0f, 1e-5f);
    EXPECT_NEAR(plan.lights[0].radiance.x, 0.26f, 1e-6f); // 1000 is a light of strength 1
    EXPECT_NEAR(plan.lights[1].radiance.y, 0.75f, 1e-6f);
    ASSERT_TRUE(plan.shadowLight);
    EXPECT_EQ(*plan.shadowLight, 1u);
    // The shadow volume: the target 20 units in front sits in the middle of the map, and
    // the box reaches 4.4 units to each side.
    const Mat4& s = plan.lights[1].shadowViewProj;
    const Vec4 centre = s * Vec4{0, 1, 0, 1};
    EXPECT_NEAR(centre.x, 0.0f, 1e-5f);
    EXPECT_NEAR(centre.y, 0.0f, 1e-5f);
    EXPECT_NEAR(centre.z, (2.0f * 20.0f - 61.0f) / 59.0f, 1e-4f);
    EXPECT_NEAR((s * Vec4{0, 5.4f, 0, 1}).y, 1.0f, 1e-4f);
}

TEST(GeometryTest, MalformedStreamsNeverBecomeGeometry) {
    EXPECT_EQ(Geometry::make({}), nullptr);
    GeometrySource g = boxStreams(1, 2, 3);
    EXPECT_EQ(g.vertexCount(), 24u);
    EXPECT_EQ(g.idx.size(), 36u);
    GeometrySource outOfRange = g;
    outOfRange.idx.back() = 24;
    EXPECT_EQ(Geometry::make(outOfRange), nullptr);
    GeometrySource partial = g;
    partial.idx.pop_back();
    EXPECT_EQ(Geometry::make(partial), nullptr);
    // A stream of the wrong length is dropped, not read past its end.
    GeometrySource shortColors = g;
    shortColors.c.resize(8);
    EXPECT_FALSE(hasColors(shortColors));
    EXPECT_FALSE(hasAnimation(shortColors));
    auto ok = Geometry::make(g);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->boundsMax().z, 1.5f);
    EXPECT_EQ(ok->boundsMin().y, -1.0f);
    EXPECT_EQ(Geometry::sharing(*ok)->sourceId(), ok->sourceId());
}

TEST(EnvironmentLightingTest, IrradianceOfAUniformSkyIsItsRadianceEverywhere) {
    // sRGB 188 is linear 0.5029.
    const auto image = Image::make(64, 32, std::vector<std::uint8_t>(64 * 32 * 4, 188));
    const auto sh = irradianceCoefficients(*image);
    for (Vec3 n : {Vec3{0, 1, 0}, Vec3{0, -1, 0}, Vec3{1, 0, 0}, normalized(Vec3{1, 1, -1})}) {
        const Vec3 e = evaluateIrradiance(sh, n);
        EXPECT_NEAR(e.x, 0.5029f, 2e-3f);
        EXPECT_NEAR(e.z, 0.5029f, 2e-3f);
    }
}

TEST(EnvironmentLightingTest, ABrightUpperHalfLightsUpwardFacesMore) {
    std::vector<std::uint8_t> px;
    for (int j = 0; j < 32; ++j)
        for (int i = 0; i < 64; ++i)
            px.insert(px.end(), {std::uint8_t(j < 16 ? 255 : 0), 0, 0, 255});
    const auto sh = irradianceCoefficients(*Image::make(64, 32, px));
    EXPECT_GT(evaluateIrradiance(sh, {0, 1, 0}).x, 0.85f);
    EXPECT_LT(evaluateIrradiance(sh, {0, -1, 0}).x, 0.15f);
    EXPECT_NEAR(evaluateIrradiance(sh, {1, 0, 0}).x, 0.5f, 0.05f);
    EXPECT_NEAR(panoramaDirection(0.5f, 0.5f).z, -1.0f, 1e-5f); // azimuth 0 on the horizon
    EXPECT_NEAR(panoramaDirection(0.3f, 0.0f).y, 1.0f, 1e-5f);  // the top row is straight up
    EXPECT_NEAR(panoramaDirection(0.75f, 0.5f).x, 1.0f, 1e-5f);
}

TEST(MaterialTest, ArgumentsAreKeptByNameAndReadBack) {
    Material m;
    EXPECT_FALSE(m.floatValue("glow"));
    m.setValue("glow", 0.05f);
    m.setValue("glow", 0.8f);
    m.setValue("tint", Vec3{1, 2, 3});
    EXPECT_EQ(m.floatValue("glow"), 0.8f);
    EXPECT_EQ(m.arguments().at("tint"), (Vec4{1, 2, 3, 0}));
    EXPECT_EQ(m.arguments().size(), 2u);
}

TEST(ImageTest, BytesThatDoNotMatchTheSizeGiveAnEmptyImage) {
    EXPECT_TRUE(Image::make(2, 2, std::vector<std::uint8_t>(15))->empty());
    EXPECT_TRUE(Image::make(-1, 2, {})->empty());
    const auto a = Image::make(1, 1, {1, 2, 3, 4});
    const auto b = Image::make(1, 1, {1, 2, 3, 4});
    EXPECT_FALSE(a->empty());
    EXPECT_NE(a->id(), b->id());
}

} // namespace
} // namespace vesk::scene
