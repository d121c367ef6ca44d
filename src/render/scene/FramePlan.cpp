#include "render/scene/FramePlan.hpp"

#include <algorithm>

namespace vesk::scene {

namespace {

// The light's own frame, without its node's scale, so a scaled parent does not skew the
// shadow volume.
Mat4 unscaledWorld(const Node& node) {
    const Mat4 w = node.worldTransform();
    const Vec3 x = normalized(w.transformDirection({1, 0, 0}));
    const Vec3 y = normalized(w.transformDirection({0, 1, 0}));
    const Vec3 z = normalized(w.transformDirection({0, 0, 1}));
    return Mat4::compose(w.translation(), Quat::fromBasis(x, y, z), {1, 1, 1});
}

void gather(const Node& node, float parentOpacity, const Mat4& parentWorld, const Mat4& view,
            FramePlan& plan) {
    if (node.hidden) return;
    const float opacity = parentOpacity * node.presentedOpacity();
    const Mat4 world = parentWorld * node.localTransform();

    if (node.light && plan.lights.size() < FramePlan::maxLights) {
        FramePlan::Light light;
        light.direction = normalized(world.transformDirection({0, 0, -1}));
        light.radiance = node.light->color * (node.light->intensity / 1000.0f);
        light.settings = &*node.light;
        const DirectionalLight& s = *node.light;
        light.shadowViewProj = Mat4::orthographic(s.orthographicScale, 1.0f, s.shadowNear, s.shadowFar) *
                               inverse(unscaledWorld(node));
        if (s.castsShadow && !plan.shadowLight) plan.shadowLight = plan.lights.size();
        plan.lights.push_back(light);
    }
    if (node.geometry && !node.geometry->materials.empty() && node.geometry->materials.front() &&
        opacity > 0.0f) {
        FramePlan::Item item;
        item.geometry = node.geometry.get();
        item.material = node.geometry->materials.front().get();
        item.world = world;
        item.opacity = opacity;
        item.castsShadow = node.castsShadow;
        const Vec3 centre = lerp(node.geometry->boundsMin(), node.geometry->boundsMax(), 0.5f);
        item.viewDepth = -view.transformPoint(world.transformPoint(centre)).z;
        (opacity < 0.999f ? plan.transparent : plan.opaque).push_back(item);
    }
    for (const auto& system : node.particleSystems())
        plan.particles.push_back(system.get());
    for (const auto& child : node.children())
        gather(*child, opacity, world, view, plan);
}

} // namespace

FramePlan FramePlan::make(const Scene& scene, const Node& pov, float aspect) {
    FramePlan plan;
    plan.camera = pov.camera.value_or(Camera{});
    const Mat4 eye = pov.worldTransform();
    plan.view = inverse(eye);
    plan.projection = plan.camera.projection(aspect > 0.0f ? aspect : 1.0f);
    plan.cameraPosition = eye.translation();
    gather(*scene.root(), 1.0f, Mat4::identity(), plan.view, plan);
    std::stable_sort(plan.opaque.begin(), plan.opaque.end(),
                     [](const Item& a, const Item& b) { return a.viewDepth < b.viewDepth; });
    std::stable_sort(plan.transparent.begin(), plan.transparent.end(),
                     [](const Item& a, const Item& b) { return a.viewDepth > b.viewDepth; });
    return plan;
}

} // namespace vesk::scene
