#include "render/thumbs/ThumbnailRenderer.hpp"

#include "bonsai/Textures.hpp"
#include "bonsai/VoxelMesher.hpp"
#include "render/engine/BonsaiEngine.hpp"
#include "render/engine/EngineMesh.hpp"
#include "render/engine/Framing.hpp"
#include "render/engine/SceneLights.hpp"
#include "render/scene/GeneratorAdapters.hpp"
#include "render/scene/Geometry.hpp"
#include "render/scene/GrowthModifiers.hpp"

#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

using scene::Vec3;

constexpr float roughness[] = {0.85f, 0.6f, 0.3f, 0.95f, 0.55f};
constexpr float leafGlow = 0.05f;

std::shared_ptr<scene::Geometry> geometry(const bonsai::MeshBuffers& buffers,
                                          const std::shared_ptr<scene::Material>& material) {
    auto g = scene::Geometry::make(buffers);
    if (g) g->materials = {material};
    return g;
}

} // namespace

ThumbnailRenderer::ThumbnailRenderer()
    : content_(scene::Node::make("content")), camera_(scene::Node::make("camera")),
      sun_(scene::Node::make("sun")), fill_(scene::Node::make("fill")), rim_(scene::Node::make("rim")) {
    static constexpr const char* names[] = {"wood", "leaves", "pot", "ground", "stand"};
    const auto& block = scene::blockImage();
    for (int i = 0; i < partCount; ++i) {
        parts_[i] = scene::Node::make(names[i]);
        content_->addChild(parts_[i]);
        auto material = std::make_shared<scene::Material>();
        material->diffuse = block;
        material->diffuseMipmaps = true;
        material->metalness = 0.0f;
        material->roughness = roughness[i];
        materials_[i] = std::move(material);
    }
    materials_[leaves]->surfaceModifier = scene::glowSurface();
    materials_[leaves]->setValue("glow", leafGlow);
    scene_.root()->addChild(content_);

    // The live view's lens and sun, plainer for a small picture: no bloom or ambient
    // occlusion, a lighter vignette, a coarser and softer shadow.
    scene::Camera camera = BonsaiEngine::cameraSettings();
    camera.bloomIntensity = 0.0f;
    camera.ssaoIntensity = 0.0f;
    camera.vignettingIntensity = 0.3f;
    camera.vignettingPower = 0.0f;
    camera_->camera = camera;
    fieldOfViewDegrees_ = camera.fieldOfViewDegrees;
    aimCamera(0.25f, 0.16f, 9.4f);

    scene::DirectionalLight sun = BonsaiEngine::sunSettings();
    sun.shadowMapSize = 1024;
    sun.shadowSampleCount = 4;
    sun.shadowRadius = 2.0f;
    sun.shadowAlpha = 0.55f;
    sun.shadowBias = scene::DirectionalLight{}.shadowBias;
    sun_->light = sun;
    scene::DirectionalLight fill;
    fill.intensity = SceneLights::fillIntensity;
    fill_->light = fill;
    scene::DirectionalLight rim;
    rim.intensity = SceneLights::rimIntensity;
    rim_->light = rim;
    for (const auto& node : {camera_, sun_, fill_, rim_})
        scene_.root()->addChild(node);
}

ThumbnailRenderer::~ThumbnailRenderer() = default;

void ThumbnailRenderer::aimCamera(float yaw, float pitch, float distance) {
    camera_->setPosition(target_ + scene::orbitOffset(yaw, pitch, distance));
    camera_->lookAt(target_);
}

void ThumbnailRenderer::installTree(const bonsai::BonsaiGrower::State& state) {
    const bonsai::VoxelTree& tree = *state.tree;
    const bonsai::VoxelDiorama& diorama = *state.diorama;

    bonsai::VoxelGrid grid = diorama.staticGrid;
    for (const bonsai::Cube& cube : tree.cubes)
        grid.mark(cube);
    auto [woodGeometry, leafGeometry] = meshTree(tree.cubes, grid);
    if (woodGeometry) woodGeometry->materials = {materials_[wood]};
    if (leafGeometry) leafGeometry->materials = {materials_[leaves]};
    parts_[wood]->geometry = std::move(woodGeometry);
    parts_[leaves]->geometry = std::move(leafGeometry);
    parts_[pot]->geometry =
        geometry(bonsai::VoxelMesher::mesh(diorama.pot, diorama.staticGrid), materials_[pot]);
    parts_[ground]->geometry =
        geometry(bonsai::VoxelMesher::mesh(diorama.ground, diorama.staticGrid), materials_[ground]);
    parts_[stand]->geometry =
        geometry(bonsai::VoxelMesher::mesh(diorama.stand, diorama.staticGrid), materials_[stand]);

    const Framing frame(diorama, target_);
    content_->setScale(frame.scale);
    content_->setPosition(frame.offset);

    const bonsai::Glaze& glaze = tree.pot.glaze;
    materials_[pot]->roughness = glaze.roughness;
    materials_[pot]->clearCoat = glaze.glazed ? 0.7f : 0.0f;
    installLights(tree.species, diorama.sunDir);
}

void ThumbnailRenderer::installLights(const bonsai::Species& species, Vec3 sunDir) {
    const SkyImages& skies = skies_.images(species);
    scene_.lightingEnvironment = skies.sky;
    scene_.lightingEnvironmentIntensity = species.sky.ambient;
    scene_.backgroundImage = skies.backdrop;
    const SceneLights lights{*sun_, *fill_, *rim_};
    lights.color(species.sky);
    lights.aim(target_, sunDir);
}

void ThumbnailRenderer::frameForCards(float viewAspect, float windowAspect) {
    viewAspect_ = viewAspect;
    windowAspect_ = windowAspect;
}

float ThumbnailRenderer::cardHalfWidth(float viewHalfWidth, Reach reach, float windowAspect) {
    // A few per cent of room, so that no cube touches the card's edge.
    constexpr float room = 1.04f;
    return std::max({viewHalfWidth, room * reach.across, room * reach.upDown * windowAspect});
}

ThumbnailRenderer::Reach ThumbnailRenderer::reachOf(const bonsai::BonsaiGrower::State& state) const {
    const scene::Mat4 toView = scene::inverse(camera_->worldTransform()) * content_->worldTransform();
    Reach reach;
    const auto see = [&](const std::vector<bonsai::Cube>& cubes) {
        for (const bonsai::Cube& cube : cubes)
            for (int corner = 0; corner < 8; ++corner) {
                const Vec3 p = toView.transformPoint({float(cube.x) + ((corner & 1) ? 0.5f : -0.5f),
                                                      float(cube.y) + ((corner & 2) ? 0.5f : -0.5f),
                                                      float(cube.z) + ((corner & 4) ? 0.5f : -0.5f)});
                if (p.z > -0.01f) continue; // at or behind the lens: no angle frames it
                reach.across = std::max(reach.across, std::fabs(p.x) / -p.z);
                reach.upDown = std::max(reach.upDown, std::fabs(p.y) / -p.z);
            }
    };
    see(state.tree->cubes);
    see(state.diorama->pot);
    see(state.diorama->ground);
    see(state.diorama->stand);
    return reach;
}

float ThumbnailRenderer::fieldOfView(const bonsai::BonsaiGrower::State& state, float aspect) const {
    if (viewAspect_ <= 0.0f) return fieldOfViewDegrees_;
    constexpr float degrees = 57.29577951308232f;
    const float viewHalfWidth = std::tan(fieldOfViewDegrees_ / degrees / 2.0f) * viewAspect_;
    const float halfWidth = cardHalfWidth(viewHalfWidth, reachOf(state), windowAspect_);
    return 2.0f * std::atan(halfWidth / aspect) * degrees;
}

void ThumbnailRenderer::clearParts() {
    for (const auto& part : parts_)
        part->geometry = nullptr;
}

std::optional<gl::Frame> ThumbnailRenderer::render(std::uint64_t seed, std::int64_t n, int width,
                                                   int height) {
    // Tried again on every call, so that one failure to make the context is not for good.
    if (!renderer_) renderer_ = gl::OffscreenRenderer::make(log_);
    if (!renderer_) return std::nullopt;
    const bonsai::BonsaiGrower::State state = grower_.state(seed, n);
    installTree(state);
    camera_->camera->fieldOfViewDegrees = fieldOfView(state, float(width) / float(std::max(height, 1)));
    gl::Frame frame = renderer_->render(scene_, *camera_, width, height, 0.0);
    clearParts();
    if (frame.rgba.empty()) return std::nullopt;
    return frame;
}

} // namespace vesk
