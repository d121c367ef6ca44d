#include "render/engine/GrowthAnimation.hpp"

#include "render/scene/Action.hpp"
#include "render/scene/ParticleSystem.hpp"
#include "render/scene/Transaction.hpp"

#include <cmath>

namespace vesk {

namespace {

using scene::Action;
using scene::Vec3;

// The reveal camera's rest: yaw 0.25, pitch 0.16, distance 10.6 from the target; pushed in,
// it comes to 0.66 of that offset from a point between the target and the new growth.
constexpr Vec3 revealOffset{2.588986f, 1.688773f, 10.13929f};
constexpr Vec3 pushedOffset{1.7087307f, 1.1145903f, 6.691932f};
constexpr float focusShare = 0.55f;

constexpr float orbitDistance = 12.1f;
constexpr float orbitPitch = 0.2f;

void show(scene::Node& node, const std::shared_ptr<scene::Geometry>& geometry,
          const std::shared_ptr<scene::Material>& material) {
    if (geometry && material) geometry->materials = {material};
    node.geometry = geometry;
}

void frameContent(scene::Node& content, const Framing& frame) {
    content.setScale(frame.scale);
    content.setPosition(frame.offset);
}

} // namespace

scene::ParticleSettings sparkSettings(std::shared_ptr<const scene::Image> image) {
    scene::ParticleSettings s;
    s.image = std::move(image);
    s.birthRate = 120.0f;
    s.emissionDurationSeconds = 0.12;
    s.loops = false;
    s.lifeSpan = 1.1f;
    s.lifeSpanVariation = 0.4f;
    s.size = 0.045f;
    s.sizeVariation = 0.0225f;
    s.velocity = 0.55f;
    s.velocityVariation = 0.3f;
    s.spreadingAngleDegrees = 180.0f;
    s.acceleration = {0.0f, 0.35f, 0.0f};
    s.dampingFactor = 1.2f;
    s.color = {1.0f, 0.84f, 0.5f, 1.0f};
    s.colorVariation = {0.06f, 0.1f, 0.1f, 0.0f};
    s.additive = true;
    s.angleVariationDegrees = 45.0f;
    s.opacityKeys = {{0.0f, 0.0f}, {0.1f, 1.0f}, {0.55f, 1.0f}, {1.0f, 0.0f}};
    return s;
}

GrowthAnimation::GrowthAnimation(MainQueue& main, Scene scene, std::function<void(std::int64_t)> setShownN)
    : main_(main), scene_(std::move(scene)), setShownN_(std::move(setShownN)) {}

GrowthAnimation::~GrowthAnimation() = default;

float GrowthAnimation::startOf(std::size_t index, std::size_t count) {
    if (count <= 1) return 0.15f;
    return float(index) * 0.7f / float(count - 1);
}

std::optional<std::int64_t> GrowthAnimation::runningRequest() const {
    return pending_ ? std::optional(pending_->request) : std::nullopt;
}

void GrowthAnimation::setProgress(float growT) {
    scene_.growMat->setValue("growT", growT);
    scene_.shrinkMat->setValue("growT", growT);
}

void GrowthAnimation::start(Final final, Change change, std::function<void()> done) {
    frameContent(*scene_.content, change.fromFrame);
    show(*scene_.wood, change.baseWood, scene_.woodMat);
    show(*scene_.leaves, change.baseLeaves, scene_.leafMat);
    show(*scene_.grow, change.grow, scene_.growMat);
    show(*scene_.shrink, change.shrink, scene_.shrinkMat);
    setProgress(0.0f);

    const std::int64_t request = final.request;
    const Framing frame = final.frame;
    pending_ = std::move(final);
    done_ = std::move(done);

    if (std::abs(change.fromFrame.scale - frame.scale) > smallestReframe) {
        const Action reframe = Action::group({Action::scaleTo(frame.scale, durationSeconds),
                                              Action::moveTo(frame.offset, durationSeconds)})
                                   .withTiming(Timing::easeInEaseOut);
        scene_.content->runAction(reframe, "reframe");
    }
    resetRevealCamera();
    if (change.focus) pushRevealCamera(*change.focus, durationSeconds);
    burst(change.sparks, durationSeconds);

    const auto finishLater = lifetime_.guard([this, request] { finishIfCurrent(request); });
    main_.after(fallbackSeconds, finishLater);

    const Action grow =
        Action::custom(durationSeconds, [growMat = scene_.growMat,
                                         shrinkMat = scene_.shrinkMat](scene::Node&, double elapsed) {
            growMat->setValue("growT", float(elapsed / durationSeconds));
            shrinkMat->setValue("growT", float(elapsed / durationSeconds));
        });
    // The completion may come from the renderer's step: it only hops to the main queue.
    MainQueue* const main = &main_;
    scene_.grow->runAction(grow, "grow", [main, finishLater] { main->after(0.0, finishLater); });
}

void GrowthAnimation::finishIfCurrent(std::int64_t request) {
    if (pending_ && pending_->request == request) finish(Completion::told);
}

void GrowthAnimation::finish(Completion completion) {
    if (!pending_) return;
    const Final final = std::move(*pending_);
    pending_.reset();
    scene_.grow->removeAction("grow");
    scene_.content->removeAction("reframe");
    frameContent(*scene_.content, final.frame);
    installFinal(final);
    const auto done = std::move(done_);
    done_ = nullptr;
    if (completion == Completion::told && done) done();
}

void GrowthAnimation::installFinal(const Final& final) {
    show(*scene_.wood, final.wood, scene_.woodMat);
    show(*scene_.leaves, final.leaves, scene_.leafMat);
    scene_.grow->geometry = nullptr;
    scene_.shrink->geometry = nullptr;
    setShownN_(final.n);
}

void GrowthAnimation::resetRevealCamera() {
    const scene::Transaction jump({0.0, Timing::linear, true});
    scene_.revealCamera->setPosition(scene_.orbitTarget + revealOffset);
    scene_.revealCamera->lookAt(scene_.orbitTarget);
}

void GrowthAnimation::pushRevealCamera(Vec3 focus, double duration) {
    const Vec3 aim = scene_.orbitTarget + (focus - scene_.orbitTarget) * focusShare;
    const scene::Transaction push({duration, Timing::easeInEaseOut, false});
    scene_.revealCamera->setPosition(aim + pushedOffset);
    scene_.revealCamera->lookAt(aim);
}

void GrowthAnimation::burst(const std::vector<Spark>& sparks, double duration) {
    scene_.sparkRoot->removeAllChildren();
    for (const Spark& spark : sparks) {
        auto node = scene::Node::make("spark");
        node->setPosition(spark.position);
        scene_.sparkRoot->addChild(node);
        auto system = std::make_shared<scene::ParticleSystem>(sparkSettings(scene_.sparkImage));
        node->runAction(Action::sequence({
            Action::wait(double(spark.start) * duration + sparkDelaySeconds),
            Action::run([system](scene::Node& n) { n.addParticleSystem(system); }),
            Action::wait(sparkLifeSeconds),
            Action::removeFromParent(),
        }));
    }
}

void GrowthAnimation::freeze(float progress) {
    scene_.grow->removeAction("grow");
    setProgress(progress);
}

void GrowthAnimation::orbit(float fromYaw, float toYaw, double duration) {
    const Vec3 target = scene_.orbitTarget;
    const Action orbit = Action::custom(duration, [=](scene::Node& camera, double elapsed) {
        const double t = duration > 0.0 ? std::clamp(elapsed / duration, 0.0, 1.0) : 1.0;
        const float e = float(t * t * (3.0 - 2.0 * t));
        const float yaw = fromYaw + (toYaw - fromYaw) * e;
        camera.setPosition(target + scene::orbitOffset(yaw, orbitPitch, orbitDistance));
        camera.lookAt(target);
    });
    scene_.camera->runAction(orbit, "orbit");
}

void GrowthAnimation::keepInView(scene::Node& pointOfView, Vec3 target) {
    const Vec3 d = pointOfView.position() - target;
    const float distance = length(d);
    if (distance > maxViewDistance) pointOfView.setPosition(target + d * (maxViewDistance / distance));
}

} // namespace vesk
