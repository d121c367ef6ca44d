#pragma once

#include "render/scene/GeometrySource.hpp"
#include "render/scene/Material.hpp"

#include <memory>
#include <vector>

namespace vesk::scene {

// Drawable geometry: shared, immutable vertex streams plus the materials to draw them with
// (the first material is used; the streams form one triangle list).
class Geometry {
  public:
    // Nothing for streams without triangles or whose indices name missing vertices, so a
    // malformed buffer never reaches the GPU.
    static std::shared_ptr<Geometry> make(GeometrySource source);
    // Another geometry over the same streams (uploaded once), with its own materials.
    static std::shared_ptr<Geometry> sharing(const Geometry& other);

    const GeometrySource& source() const { return *source_; }
    const std::shared_ptr<const GeometrySource>& sharedSource() const { return source_; }
    std::uint64_t sourceId() const { return sourceId_; }
    std::size_t triangleCount() const { return source_->idx.size() / 3; }

    std::vector<std::shared_ptr<Material>> materials;

    // Axis-aligned bounds of the positions.
    Vec3 boundsMin() const { return min_; }
    Vec3 boundsMax() const { return max_; }

  private:
    Geometry(std::shared_ptr<const GeometrySource> source, std::uint64_t id, Vec3 min, Vec3 max)
        : source_(std::move(source)), sourceId_(id), min_(min), max_(max) {}

    std::shared_ptr<const GeometrySource> source_;
    std::uint64_t sourceId_ = 0;
    Vec3 min_, max_;
};

} // namespace vesk::scene
