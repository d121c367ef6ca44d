#include "render/gl/ShadowCasters.hpp"

#include "core/model/ValueHash.hpp"
#include "render/scene/Geometry.hpp"
#include "render/scene/Material.hpp"

namespace vesk::gl {

namespace {

void hashMatrix(std::size_t& seed, const scene::Mat4& matrix) {
    for (const float value : matrix.m)
        hashField(seed, value);
}

// What a caster's depth depends on: its mesh, its material's modifiers and values, its place.
std::size_t casterHash(const scene::FramePlan::Item& item) {
    std::size_t seed = 0;
    hashField(seed, item.geometry->sourceId());
    hashField(seed, static_cast<const void*>(item.material));
    for (const auto& [name, value] : item.material->arguments()) {
        hashField(seed, name);
        for (const float component : {value.x, value.y, value.z, value.w})
            hashField(seed, component);
    }
    hashMatrix(seed, item.world);
    return seed;
}

} // namespace

ShadowCasters::Split ShadowCasters::split(const scene::FramePlan& plan, int mapSize) {
    Split split;
    std::unordered_set<std::size_t> now;
    hashField(split.settledKey, mapSize);
    if (plan.shadowLight) hashMatrix(split.settledKey, plan.lights[*plan.shadowLight].shadowViewProj);
    for (const auto* list : {&plan.opaque, &plan.transparent}) {
        for (const auto& item : *list) {
            if (!item.castsShadow) continue;
            const std::size_t hash = casterHash(item);
            now.insert(hash);
            if (last_.contains(hash)) {
                split.settled.push_back(&item);
                hashCombine(split.settledKey, hash);
            } else {
                split.moving.push_back(&item);
            }
        }
    }
    last_ = std::move(now);
    return split;
}

} // namespace vesk::gl
