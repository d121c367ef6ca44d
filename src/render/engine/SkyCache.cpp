#include "render/engine/SkyCache.hpp"

#include "bonsai/Textures.hpp"
#include "render/scene/GeneratorAdapters.hpp"
#include "render/scene/Quat.hpp"

namespace vesk {

namespace {
// The sky's sun stays put whatever direction the diorama's light comes from.
const scene::Vec3 skySunDirection = scene::normalized(scene::Vec3{-0.55f, 0.62f, 0.45f});
} // namespace

const SkyImages& SkyCache::images(const bonsai::Species& species) {
    auto found = bySpecies_.find(species.name);
    if (found == bySpecies_.end()) {
        SkyImages made{scene::sceneImage(bonsai::Textures::sky(species.sky, skySunDirection)),
                       scene::sceneImage(bonsai::Textures::backdrop(species.sky))};
        found = bySpecies_.emplace(species.name, std::move(made)).first;
    }
    return found->second;
}

} // namespace vesk
