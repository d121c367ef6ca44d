#include "render/scene/Geometry.hpp"

#include "render/scene/ResourceId.hpp"

#include <algorithm>

namespace vesk::scene {

std::shared_ptr<Geometry> Geometry::make(GeometrySource source) {
    if (source.idx.empty() || !indicesValid(source)) return nullptr;
    Vec3 lo{1e30f, 1e30f, 1e30f}, hi{-1e30f, -1e30f, -1e30f};
    for (std::size_t i = 0; i + 2 < source.p.size(); i += GeometrySource::vec3Floats) {
        lo = {std::min(lo.x, source.p[i]), std::min(lo.y, source.p[i + 1]), std::min(lo.z, source.p[i + 2])};
        hi = {std::max(hi.x, source.p[i]), std::max(hi.y, source.p[i + 1]), std::max(hi.z, source.p[i + 2])};
    }
    auto shared = std::make_shared<const GeometrySource>(std::move(source));
    return std::shared_ptr<Geometry>(new Geometry(std::move(shared), nextResourceId(), lo, hi));
}

std::shared_ptr<Geometry> Geometry::sharing(const Geometry& other) {
    return std::shared_ptr<Geometry>(new Geometry(other.source_, other.sourceId_, other.min_, other.max_));
}

} // namespace vesk::scene
