#include "bonsai/BonsaiGrower.hpp"

#include "bonsai/VoxelGrower.hpp"

#include <algorithm>

namespace vesk::bonsai {

BonsaiGrower::State BonsaiGrower::state(std::uint64_t seed, std::int64_t n, const KeepGoing& askedToGoOn) {
    // Once told to stop, it is not asked again.
    bool told = false;
    const KeepGoing keepGoing = [&] {
        if (!told && askedToGoOn && !askedToGoOn()) told = true;
        return !told;
    };
    const auto stopped = [&] { return !keepGoing(); };
    if (seed != seed_) {
        seed_ = seed;
        blueprints_.clear();
        dioramas_.clear();
        recent_.clear();
    }
    const std::int64_t m = std::clamp<std::int64_t>(n, 1, VoxelGrower::maxCubes);
    const int s = VoxelGrower::stage(m);
    for (const int k : {s, s - 1, s + 1}) {
        // Beyond the last stage the generator would make the last stage again, under another key.
        if (k < 0 || k > VoxelGrower::maxStage()) continue;
        if (!blueprints_.contains(k)) {
            Blueprint made = VoxelGrower::blueprint(seed, k, std::nullopt, std::nullopt, keepGoing);
            if (stopped()) return {};
            blueprints_[k] = std::make_shared<const Blueprint>(std::move(made));
        }
        const std::shared_ptr<const Blueprint> blueprint = blueprints_[k];
        touch(k);
        const auto wood = std::int64_t(blueprint->wood.size());
        const auto full = wood + std::int64_t(blueprint->crown.size());
        if (m < wood || m > full) continue;
        // A stage's diorama is sized for its fully grown tree, so the pot stays put while the tree
        // grows within the stage.
        auto diorama = dioramaFor(k, [&] { return blueprint->tree(full); });
        return {std::make_shared<const VoxelTree>(blueprint->tree(m)), k, std::move(diorama)};
    }
    // No stage fits: the fallback tree, grown anew each time, with a diorama of its own.
    auto tree = std::make_shared<const VoxelTree>(VoxelGrower::classic(seed, m));
    auto diorama = dioramaFor(-m, [&] { return *tree; });
    return {std::move(tree), -m, std::move(diorama)};
}

template <typename GrowFull>
std::shared_ptr<const VoxelDiorama> BonsaiGrower::dioramaFor(std::int64_t key, GrowFull&& growFull) {
    auto found = dioramas_.find(key);
    std::shared_ptr<const VoxelDiorama> diorama =
        found != dioramas_.end() ? found->second : std::make_shared<const VoxelDiorama>(growFull());
    dioramas_[key] = diorama;
    touch(key);
    return diorama;
}

void BonsaiGrower::touch(std::int64_t key) {
    std::erase(recent_, key);
    recent_.push_back(key);
    while (recent_.size() > keep) {
        const std::int64_t oldest = recent_.front();
        recent_.erase(recent_.begin());
        blueprints_.erase(oldest);
        dioramas_.erase(oldest);
    }
}

} // namespace vesk::bonsai
