#include "render/scene/Material.hpp"

namespace vesk::scene {

std::optional<float> Material::floatValue(const std::string& name) const {
    const auto it = arguments_.find(name);
    if (it == arguments_.end()) return std::nullopt;
    return it->second.x;
}

} // namespace vesk::scene
