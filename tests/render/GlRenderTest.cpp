#include "TestScenes.hpp"
#include "render/gl/EglContext.hpp"
#include "render/gl/OffscreenRenderer.hpp"
#include "render/gl/SceneRenderer.hpp"
#include "render/scene/GrowthModifiers.hpp"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

namespace vesk::gl {
namespace {

using scene::testing::makeVoxelScene;

// One headless renderer for the whole program, made and destroyed on the test thread.
class GlRenderTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        setenv("EGL_PLATFORM", "surfaceless", 0);
        if (!EglContext::deviceExists()) return;
        renderer_ = OffscreenRenderer::make(log_);
    }
    static void TearDownTestSuite() { renderer_.reset(); }

    void SetUp() override {
        if (!renderer_ && !EglContext::deviceExists()) GTEST_SKIP() << "no EGL device";
        ASSERT_NE(renderer_, nullptr) << log_;
    }

    static OffscreenRenderer& renderer() { return *renderer_; }

    static std::unique_ptr<OffscreenRenderer> renderer_;
    static std::string log_;
};

std::unique_ptr<OffscreenRenderer> GlRenderTest::renderer_;
std::string GlRenderTest::log_;

double meanLuma(const Frame& f) {
    double sum = 0.0;
    for (std::size_t i = 0; i + 3 < f.rgba.size(); i += 4)
        sum += 0.2126 * f.rgba[i] + 0.7152 * f.rgba[i + 1] + 0.0722 * f.rgba[i + 2];
    return sum / double(f.rgba.size() / 4);
}

std::size_t differingPixels(const Frame& a, const Frame& b) {
    std::size_t n = 0;
    for (std::size_t i = 0; i + 3 < a.rgba.size(); i += 4)
        if (std::abs(int(a.rgba[i]) - int(b.rgba[i])) + std::abs(int(a.rgba[i + 1]) - int(b.rgba[i + 1])) +
                std::abs(int(a.rgba[i + 2]) - int(b.rgba[i + 2])) >
            6)
            ++n;
    return n;
}

const std::uint8_t* pixel(const Frame& f, int x, int y) {
    return &f.rgba[(std::size_t(y) * std::size_t(f.width) + std::size_t(x)) * 4];
}

TEST_F(GlRenderTest, EveryMaterialVariantCompilesAndLinks) {
    using namespace scene;
    const std::pair<ShaderModifier, ShaderModifier> variants[] = {
        {{}, {}},
        {windGeometry(), glowSurface()},
        {growGeometry(), flashSurface()},
        {growGeometry(), {}},
        {windGeometry(), {}},
        {{}, glowSurface()},
    };
    for (const auto& [geometry, surface] : variants) {
        Material m;
        m.geometryModifier = geometry;
        m.surfaceModifier = surface;
        std::string log;
        EXPECT_TRUE(renderer().sceneRenderer().prepare(m, log)) << log;
    }
}

TEST_F(GlRenderTest, ABrokenModifierIsReportedAndTheSceneStillDraws) {
    auto s = makeVoxelScene();
    s->material->surfaceModifier.body = "this is not glsl;";
    std::string log;
    EXPECT_FALSE(renderer().sceneRenderer().prepare(*s->material, log));
    EXPECT_FALSE(log.empty());
    const Frame broken = renderer().render(s->scene, *s->camera, 120, 100);
    EXPECT_FALSE(renderer().sceneRenderer().errors().empty());
    s->material->surfaceModifier = {};
    const Frame plain = renderer().render(s->scene, *s->camera, 120, 100);
    EXPECT_EQ(differingPixels(broken, plain), 0u);
}

TEST_F(GlRenderTest, VoxelSceneIsOpaqueVariedAndStandsOutFromTheBackdrop) {
    auto s = makeVoxelScene();
    const Frame f = renderer().render(s->scene, *s->camera, 240, 200);
    ASSERT_EQ(f.width, 240);
    ASSERT_EQ(f.height, 200);
    ASSERT_EQ(f.rgba.size(), 240u * 200u * 4u);
    std::uint8_t minLuma = 255, maxLuma = 0;
    for (std::size_t i = 0; i < f.rgba.size(); i += 4) {
        ASSERT_EQ(f.rgba[i + 3], 255) << "pixel " << i / 4;
        const auto l = std::uint8_t((int(f.rgba[i]) + f.rgba[i + 1] + f.rgba[i + 2]) / 3);
        minLuma = std::min(minLuma, l);
        maxLuma = std::max(maxLuma, l);
    }
    EXPECT_GT(maxLuma - minLuma, 60);

    s->content->hidden = true;
    const Frame backdrop = renderer().render(s->scene, *s->camera, 240, 200);
    const std::uint8_t* centre = pixel(f, 120, 100);
    const std::uint8_t* behind = pixel(backdrop, 120, 100);
    EXPECT_GT(std::abs(int(centre[0]) - behind[0]) + std::abs(int(centre[1]) - behind[1]) +
                  std::abs(int(centre[2]) - behind[2]),
              40);
}

TEST_F(GlRenderTest, RowZeroIsTheTopOfTheImage) {
    auto s = makeVoxelScene();
    s->content->hidden = true;
    s->scene.backgroundImage.reset();
    s->scene.backgroundColor = {0.0f, 0.0f, 0.0f};
    // A bright slab high in the view: the top rows must see it, the bottom rows not.
    auto slab = scene::Node::make();
    auto geometry = scene::Geometry::make(scene::boxStreams(6.0f, 0.6f, 0.4f));
    auto white = std::make_shared<scene::Material>();
    white->emission = {4.0f, 4.0f, 4.0f};
    geometry->materials = {white};
    slab->geometry = geometry;
    slab->setPosition({0.0f, 2.2f, 0.0f});
    s->scene.root()->addChild(slab);
    auto camera = *s->camera->camera;
    camera.vignettingIntensity = 0.0f;
    s->camera->camera = camera;
    const Frame f = renderer().render(s->scene, *s->camera, 160, 160);
    auto rowLuma = [&](int y0, int y1) {
        int m = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < f.width; ++x)
                m = std::max(m, int(pixel(f, x, y)[0]));
        return m;
    };
    EXPECT_GT(rowLuma(0, 60), 150);
    EXPECT_LT(rowLuma(110, 160), 60);
}

TEST_F(GlRenderTest, AGeometryHookMovesTheVertices) {
    auto s = makeVoxelScene();
    const Frame still = renderer().render(s->scene, *s->camera, 160, 140, 3.0);
    s->material->geometryModifier = scene::windGeometry();
    s->material->setValue("treeH", 4.0f);
    s->material->setValue("windAmp", 0.3f);
    const Frame windy = renderer().render(s->scene, *s->camera, 160, 140, 3.0);
    EXPECT_GT(differingPixels(still, windy), 200u);
    // With no amplitude the hook leaves every vertex where it was.
    s->material->setValue("windAmp", 0.0f);
    const Frame calm = renderer().render(s->scene, *s->camera, 160, 140, 3.0);
    EXPECT_EQ(differingPixels(still, calm), 0u);
}

TEST_F(GlRenderTest, GlowAndFlashBrightenTheSurface) {
    auto s = makeVoxelScene();
    const Frame plain = renderer().render(s->scene, *s->camera, 160, 140);
    s->material->surfaceModifier = scene::glowSurface();
    s->material->setValue("glow", 0.8f);
    const Frame glowing = renderer().render(s->scene, *s->camera, 160, 140);
    EXPECT_GT(meanLuma(glowing), meanLuma(plain) + 3.0);

    s->material->surfaceModifier = scene::flashSurface();
    s->material->setValue("glow", 0.05f);
    s->material->setValue("growDir", 1.0f);
    s->material->setValue("growT", 0.3f);
    const Frame flashing = renderer().render(s->scene, *s->camera, 160, 140);
    EXPECT_GT(meanLuma(flashing), meanLuma(plain) + 10.0);
    // Shrinking cubes never flash.
    s->material->setValue("growDir", -1.0f);
    const Frame shrinking = renderer().render(s->scene, *s->camera, 160, 140);
    EXPECT_LT(meanLuma(shrinking), meanLuma(flashing) - 5.0);
}

TEST_F(GlRenderTest, EmptySizesGiveEmptyFrames) {
    auto s = makeVoxelScene();
    EXPECT_TRUE(renderer().render(s->scene, *s->camera, 0, 100).rgba.empty());
    EXPECT_TRUE(renderer().render(s->scene, *s->camera, 100, -1).rgba.empty());
}

} // namespace
} // namespace vesk::gl

namespace vesk::gl {
namespace {

TEST_F(GlRenderTest, SparksAddLightAroundTheirEmitter) {
    auto s = makeVoxelScene();
    s->content->hidden = true;
    auto emitter = scene::Node::make();
    emitter->setPosition({0.0f, 1.0f, 0.0f});
    s->scene.root()->addChild(emitter);
    scene::ParticleSettings burst = scene::testing::sparkBurst();
    burst.birthRate = 600.0f; // enough overlapping sparks to measure
    burst.emissionDurationSeconds = 0.2;
    burst.size = 0.08f;
    burst.opacityKeys.clear();
    emitter->addParticleSystem(std::make_shared<scene::ParticleSystem>(burst));
    const Frame before = renderer().render(s->scene, *s->camera, 160, 140);
    s->scene.update(0.0);
    s->scene.update(0.3);
    const Frame during = renderer().render(s->scene, *s->camera, 160, 140);
    EXPECT_GT(meanLuma(during), meanLuma(before) + 1.0);
    // Additive: nowhere darker than without them.
    for (std::size_t i = 0; i < during.rgba.size(); i += 4)
        ASSERT_GE(during.rgba[i] + 2, before.rgba[i]);
    EXPECT_GT(pixel(during, 80, 70)[0], pixel(before, 80, 70)[0] + 40);
    long addedRed = 0, addedBlue = 0;
    for (std::size_t i = 0; i < during.rgba.size(); i += 4) {
        addedRed += during.rgba[i] - before.rgba[i];
        addedBlue += during.rgba[i + 2] - before.rgba[i + 2];
    }
    EXPECT_GT(addedRed, addedBlue); // warm
}

TEST_F(GlRenderTest, AFadingNodeBlendsWithWhatIsBehindIt) {
    auto s = makeVoxelScene();
    s->scene.backgroundImage.reset();
    auto camera = *s->camera->camera;
    camera.vignettingIntensity = 0.0f;
    camera.bloomIntensity = 0.0f;
    s->camera->camera = camera;
    const Frame opaque = renderer().render(s->scene, *s->camera, 120, 100);
    s->cubes->setOpacity(0.4f);
    const Frame fading = renderer().render(s->scene, *s->camera, 120, 100);
    s->cubes->setOpacity(0.0f);
    const Frame gone = renderer().render(s->scene, *s->camera, 120, 100);
    EXPECT_LT(meanLuma(gone), 1.0);
    EXPECT_GT(meanLuma(fading), meanLuma(gone) + 2.0);
    EXPECT_LT(meanLuma(fading), meanLuma(opaque) - 2.0);
}

TEST_F(GlRenderTest, UploadsGoWhenTheirGeometryAndImagesGo) {
    auto s = makeVoxelScene();
    renderer().render(s->scene, *s->camera, 64, 64);
    const std::size_t meshes = renderer().sceneRenderer().residentMeshes();
    auto extra = scene::Node::make();
    auto box = scene::Geometry::make(scene::boxStreams(1, 1, 1));
    auto m = std::make_shared<scene::Material>();
    m->diffuse = scene::Image::make(2, 2, std::vector<std::uint8_t>(16, 200));
    box->materials = {m};
    extra->geometry = box;
    s->scene.root()->addChild(extra);
    renderer().render(s->scene, *s->camera, 64, 64);
    EXPECT_EQ(renderer().sceneRenderer().residentMeshes(), meshes + 1);
    const std::size_t textures = renderer().sceneRenderer().residentTextures();
    extra->removeFromParent();
    extra.reset();
    box.reset();
    m.reset();
    renderer().render(s->scene, *s->camera, 64, 64);
    EXPECT_EQ(renderer().sceneRenderer().residentMeshes(), meshes);
    EXPECT_EQ(renderer().sceneRenderer().residentTextures(), textures - 1);
}

TEST_F(GlRenderTest, ARendererOnAnotherThreadDrawsTheSamePictureAndLeavesThisOneWorking) {
    const Frame here = [] {
        auto s = makeVoxelScene();
        return renderer().render(s->scene, *s->camera, 96, 80);
    }();
    Frame there;
    std::string log;
    std::thread worker([&] {
        // The thread's own context, objects and teardown.
        auto own = OffscreenRenderer::make(log);
        if (!own) return;
        auto s = makeVoxelScene();
        there = own->render(s->scene, *s->camera, 96, 80);
    });
    worker.join();
    ASSERT_FALSE(there.rgba.empty()) << log;
    EXPECT_EQ(differingPixels(here, there), 0u);
    auto s = makeVoxelScene();
    const Frame after = renderer().render(s->scene, *s->camera, 96, 80);
    EXPECT_EQ(differingPixels(here, after), 0u);
}

} // namespace
} // namespace vesk::gl

namespace vesk::gl {
namespace {

// Without wind the kept shadow map and the depth laid down first must give every frame the
// very picture a map drawn afresh and a single pass give: while the tree stands, turns,
// stands again and the sun moves; and after the frame images were freed.
TEST_F(GlRenderTest, KeptShadowsAndDepthFirstGiveTheFreshPictureAndFreedTargetsAreMadeAgain) {
    auto s = makeVoxelScene();
    SceneRenderer& scene = renderer().sceneRenderer();
    RenderQuality fresh = RenderQuality::light();
    fresh.keptShadows = false;
    fresh.depthFirst = false;
    const auto compare = [&](const char* when) {
        scene.setQuality(RenderQuality::light());
        const Frame kept = renderer().render(s->scene, *s->camera, 120, 100);
        scene.setQuality(fresh);
        const Frame drawn = renderer().render(s->scene, *s->camera, 120, 100);
        EXPECT_EQ(differingPixels(kept, drawn), 0u) << when;
        return drawn;
    };
    for (int frame = 0; frame < 3; ++frame)
        compare("standing");
    const Frame standing = compare("standing");
    for (int frame = 0; frame < 3; ++frame) {
        s->content->setOrientation(scene::Quat::axisAngle({0, 1, 0}, 0.4f * float(frame + 1)));
        compare("turning");
    }
    EXPECT_GT(differingPixels(standing, compare("turned")), 100u);
    s->sun->setPosition(scene::Vec3{0.0f, 1.0f, 0.0f} +
                        scene::normalized(scene::Vec3{0.6f, 0.5f, 0.3f}) * 20.0f);
    s->sun->lookAt({0.0f, 1.0f, 0.0f});
    compare("the sun moved");
    const Frame before = compare("the sun moved");
    renderer().releaseTargets();
    EXPECT_EQ(differingPixels(before, compare("made again")), 0u);
    scene.setQuality(RenderQuality::full());
}

TEST_F(GlRenderTest, EverySurfaceSettingChangesThePicture) {
    auto s = makeVoxelScene();
    const Frame base = renderer().render(s->scene, *s->camera, 120, 100);
    scene::Material& m = *s->material;
    const scene::Material original = m;
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"roughness", [&] { m.roughness = 0.05f; }},
        {"metalness", [&] { m.metalness = 1.0f; }},
        {"clear coat",
         [&] {
             m.roughness = 0.95f;
             m.clearCoat = 1.0f;
             m.clearCoatRoughness = 0.05f;
         }},
        {"multiply",
         [&] {
             m.multiply = {1.0f, 0.3f, 0.3f};
         }},
        {"emission",
         [&] {
             m.emission = {0.3f, 0.3f, 0.0f};
         }},
        {"no texture", [&] { m.diffuse.reset(); }},
    };
    for (const auto& [name, change] : changes) {
        m = original;
        change();
        EXPECT_GT(differingPixels(base, renderer().render(s->scene, *s->camera, 120, 100)), 100u) << name;
    }
}

} // namespace
} // namespace vesk::gl
