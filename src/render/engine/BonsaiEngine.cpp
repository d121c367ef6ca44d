#include "render/engine/BonsaiEngine.hpp"

#include "render/engine/SceneLights.hpp"
#include "render/scene/GeneratorAdapters.hpp"
#include "render/scene/GrowthModifiers.hpp"

#include <cstdlib>

namespace vesk {

scene::Camera BonsaiEngine::cameraSettings() {
    scene::Camera c;
    c.fieldOfViewDegrees = 30.0f;
    c.zNear = 0.05f;
    c.zFar = 300.0f;
    c.wantsHDR = true;
    c.exposureOffset = -0.35f;
    c.bloomIntensity = 0.22f;
    c.bloomThreshold = 0.92f;
    c.bloomBlurRadius = 8.0f;
    c.ssaoIntensity = 1.0f;
    c.ssaoRadius = 0.16f;
    c.ssaoBias = 0.02f;
    c.ssaoDepthThreshold = 0.25f;
    c.ssaoNormalThreshold = 0.35f;
    c.vignettingIntensity = 0.35f;
    c.vignettingPower = 0.9f;
    c.saturation = 1.08f;
    c.contrast = 0.08f;
    return c;
}

scene::DirectionalLight BonsaiEngine::sunSettings() {
    scene::DirectionalLight sun;
    sun.castsShadow = true;
    sun.shadowMapSize = 2048;
    sun.shadowSampleCount = 8;
    sun.shadowRadius = 3.0f;
    sun.shadowAlpha = 0.6f;
    sun.orthographicScale = 4.4f;
    sun.shadowNear = 1.0f;
    sun.shadowFar = 60.0f;
    sun.shadowBias = 0.5f;
    return sun;
}

namespace {

scene::DirectionalLight plainLight(float intensity) {
    scene::DirectionalLight light;
    light.intensity = intensity;
    return light;
}

std::shared_ptr<scene::Material> blockMaterial(float roughness) {
    auto m = std::make_shared<scene::Material>();
    m->diffuse = scene::blockImage();
    m->diffuseMipmaps = true;
    m->metalness = 0.0f;
    m->roughness = roughness;
    return m;
}

void showPart(scene::Node& node, const std::shared_ptr<scene::Geometry>& geometry,
              const std::shared_ptr<scene::Material>& material) {
    if (geometry) geometry->materials = {material};
    node.geometry = geometry;
}

} // namespace

BonsaiEngine::Settings BonsaiEngine::Settings::fromEnvironment() {
    Settings settings;
    if (const char* value = std::getenv("VESK_DEBUG_GROW")) settings.debugGrow = value;
    return settings;
}

BonsaiEngine::BonsaiEngine(MainQueue& main, Settings settings)
    : BonsaiEngine(main, std::move(settings), nullptr) {
    worker_ = std::make_unique<SerialWorker>("vesk.bonsai.worker");
    post_ = [worker = worker_.get()](std::function<void()> job) { worker->post(std::move(job)); };
}

BonsaiEngine::BonsaiEngine(MainQueue& main, Settings settings, WorkerPost worker)
    : main_(main), cameraNode_(scene::Node::make("camera")),
      revealCameraNode_(scene::Node::make("revealCamera")), renderDelegate_(scene::blockImage()),
      content_(scene::Node::make("content")), woodNode_(scene::Node::make("wood")),
      leafNode_(scene::Node::make("leaves")), potNode_(scene::Node::make("pot")),
      groundNode_(scene::Node::make("ground")), standNode_(scene::Node::make("stand")),
      growNode_(scene::Node::make("grow")), shrinkNode_(scene::Node::make("shrink")),
      sunNode_(scene::Node::make("sun")), fillNode_(scene::Node::make("fill")),
      rimNode_(scene::Node::make("rim")), sparkRoot_(scene::Node::make("sparks")), post_(std::move(worker)) {
    setupMaterials(settings);
    setupScene();
    GrowthAnimation::Scene parts{content_,        woodNode_,          leafNode_,         growNode_,
                                 shrinkNode_,     sparkRoot_,         revealCameraNode_, cameraNode_,
                                 materials_.wood, materials_.leaf,    materials_.grow,   materials_.shrink,
                                 orbitTarget_,    scene::sparkImage()};
    animation_ =
        std::make_unique<GrowthAnimation>(main_, std::move(parts), [this](std::int64_t n) { shownN.set(n); });
}

BonsaiEngine::~BonsaiEngine() {
    // Whatever is still queued is stale from here on and returns at once.
    workerSide_->latest.next();
    worker_.reset();
}

void BonsaiEngine::setupMaterials(const Settings& settings) {
    materials_ = {blockMaterial(0.85f), blockMaterial(0.6f),  blockMaterial(0.62f), blockMaterial(0.62f),
                  blockMaterial(0.3f),  blockMaterial(0.95f), blockMaterial(0.55f)};
    materials_.leaf->geometryModifier = scene::windGeometry();
    materials_.leaf->surfaceModifier = scene::glowSurface();
    for (const auto& m : {materials_.grow, materials_.shrink}) {
        m->geometryModifier = scene::growGeometry();
        m->surfaceModifier = scene::flashSurface();
    }
    for (const auto& m : {materials_.leaf, materials_.grow, materials_.shrink}) {
        m->setValue("windAmp", 0.01f);
        m->setValue("treeH", 10.0f);
        m->setValue("glow", 0.05f);
    }
    if (settings.debugGrow) {
        materials_.grow->emission = {1.0f, 0.0f, 1.0f};
        if (*settings.debugGrow == "plain") {
            materials_.grow->geometryModifier = {};
            materials_.grow->surfaceModifier = {};
        }
    }
    materials_.grow->setValue("growDir", 1.0f);
    materials_.grow->setValue("growT", 0.0f);
    materials_.shrink->setValue("growDir", -1.0f);
    materials_.shrink->setValue("growT", 0.0f);
    materials_.stand->clearCoat = 0.15f;
    materials_.stand->clearCoatRoughness = 0.3f;
    materials_.pot->clearCoatRoughness = 0.08f;
}

void BonsaiEngine::setupScene() {
    const auto& root = scene_.root();
    root->addChild(content_);
    for (const auto& node :
         {potNode_, groundNode_, standNode_, woodNode_, leafNode_, growNode_, shrinkNode_}) {
        node->castsShadow = true;
        content_->addChild(node);
    }
    scene_.backgroundColor = {0.0f, 0.0f, 0.0f};

    cameraNode_->camera = cameraSettings();
    cameraNode_->setPosition(orbitTarget_ + scene::orbitOffset(0.35f, 0.2f, 12.1f));
    cameraNode_->lookAt(orbitTarget_);
    revealCameraNode_->camera = cameraSettings();
    revealCameraNode_->setPosition(orbitTarget_ + scene::orbitOffset(0.25f, 0.16f, 10.6f));
    revealCameraNode_->lookAt(orbitTarget_);
    root->addChild(cameraNode_);
    root->addChild(revealCameraNode_);

    sunNode_->light = sunSettings();
    fillNode_->light = plainLight(SceneLights::fillIntensity);
    rimNode_->light = plainLight(SceneLights::rimIntensity);
    for (const auto& node : {sunNode_, fillNode_, rimNode_})
        root->addChild(node);
    renderDelegate_.orbitTarget = orbitTarget_;
    root->addChild(renderDelegate_.falling.node());
    root->addChild(sparkRoot_);
}

void BonsaiEngine::show(std::uint64_t seed, std::int64_t n, std::optional<std::int64_t> from,
                        std::function<void()> done) {
    const auto id = std::int64_t(workerSide_->latest.next());
    BuildRequest request{id,          seed, n, from, seed == shownSeed_ ? shownDioramaKey_ : std::nullopt,
                         orbitTarget_};
    // `done` is the caller's: it travels back to the main thread whatever happens, and is
    // called or dropped there, never on the worker.
    post_([side = workerSide_, request, &main = main_, engine = this, alive = lifetime_.token(),
           done = std::move(done)]() mutable {
        const auto current = [&] {
            return side->latest.isCurrent(LatestRequest::Generation(request.request));
        };
        auto built = current() ? buildTree(side->caches, request, current) : std::nullopt;
        if (!built) {
            if (done) main.post([done = std::move(done)] {});
            return;
        }
        ++side->finished;
        main.post([engine, alive, built = std::move(*built), done = std::move(done)]() mutable {
            if (alive.alive()) engine->receive(std::move(built), std::move(done));
        });
    });
}

void BonsaiEngine::receive(Built built, std::function<void()> done) {
    // Overtaken while it was handed over: only the main thread makes requests, so the newest
    // number cannot change under this check.
    if (!workerSide_->latest.isCurrent(LatestRequest::Generation(built.request))) return;
    apply(std::move(built), std::move(done));
}

void BonsaiEngine::apply(Built built, std::function<void()> done) {
    animation_->finish(GrowthAnimation::Completion::dropped);
    if (shownSeed_ != built.seed) installSky(built);
    installDiorama(built.diorama);
    info.set(built.info);
    shownSeed_ = built.seed;
    for (const auto& m : {materials_.leaf, materials_.grow, materials_.shrink})
        m->setValue("treeH", built.treeHeight);

    GrowthAnimation::Final final{built.request, built.n, built.wood, built.leaves, built.frame};
    if (built.animation) {
        animation_->start(std::move(final), std::move(*built.animation), std::move(done));
    } else {
        content_->setScale(built.frame.scale);
        content_->setPosition(built.frame.offset);
        animation_->installFinal(final);
        if (done) done();
    }
    configureFalling(built.falling);
}

void BonsaiEngine::installSky(const Built& built) {
    scene_.lightingEnvironment = built.sky.sky;
    scene_.lightingEnvironmentIntensity = built.palette.ambient;
    scene_.backgroundImage = built.sky.backdrop;
    SceneLights{*sunNode_, *fillNode_, *rimNode_}.color(built.palette);
    for (const auto& m : {materials_.leaf, materials_.grow, materials_.shrink})
        m->setValue("glow", built.glow * 0.8f);
}

void BonsaiEngine::installDiorama(const DioramaGeometry& diorama) {
    if (diorama.included) {
        showPart(*potNode_, diorama.pot, materials_.pot);
        showPart(*groundNode_, diorama.ground, materials_.ground);
        showPart(*standNode_, diorama.stand, materials_.stand);
        shownDioramaKey_ = diorama.key;
    }
    materials_.pot->roughness = diorama.glazed ? diorama.glazeRoughness + 0.1f : diorama.glazeRoughness;
    materials_.pot->clearCoat = diorama.glazed ? 0.7f : 0.0f;
    SceneLights{*sunNode_, *fillNode_, *rimNode_}.aim(orbitTarget_, diorama.sunDir);
}

void BonsaiEngine::configureFalling(const FallingSetup& setup) {
    renderDelegate_.falling.configure(setup.config());
}

void BonsaiEngine::orbitCamera(float fromYaw, float toYaw, double durationSeconds) {
    animation_->orbit(fromYaw, toYaw, durationSeconds);
}

void BonsaiEngine::freezeAnimation(float progress) {
    animation_->freeze(progress);
}

} // namespace vesk
