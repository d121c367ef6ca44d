#pragma once

#include "render/scene/Geometry.hpp"
#include "render/scene/Image.hpp"

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>

namespace vesk::gl {

// The uploads of one GL context: vertex arrays of geometry streams, textures of images and
// the lighting terms of environment panoramas, each made on first use and kept while its
// CPU resource lives. Everything is created, used and deleted on the context's thread with
// the context current.
class GpuCache {
  public:
    struct Mesh {
        unsigned vao = 0, vbo = 0, ebo = 0;
        int indexCount = 0;
        bool normals = false, colors = false, uv = false, animation = false;
    };
    struct Texture {
        unsigned id = 0;
        int width = 0, height = 0;
        int levels = 1;
    };
    struct Environment {
        Texture texture;
        std::array<scene::Vec3, 9> irradiance{};
    };

    GpuCache() = default;
    ~GpuCache();
    GpuCache(const GpuCache&) = delete;
    GpuCache& operator=(const GpuCache&) = delete;

    const Mesh& mesh(const scene::Geometry& geometry);
    // sRGB colour textures with a full mip chain; nothing for an empty image.
    const Texture* texture(const std::shared_ptr<const scene::Image>& image);
    const Environment* environment(const std::shared_ptr<const scene::Image>& panorama);

    // Deletes the uploads whose CPU resource no longer exists.
    void sweep();

    std::size_t meshCount() const { return meshes_.size(); }
    std::size_t textureCount() const { return textures_.size(); }

  private:
    template <class T, class Gpu> struct Entry {
        std::weak_ptr<const T> owner;
        Gpu gpu;
    };

    std::unordered_map<std::uint64_t, Entry<scene::GeometrySource, Mesh>> meshes_;
    std::unordered_map<std::uint64_t, Entry<scene::Image, Texture>> textures_;
    std::unordered_map<std::uint64_t, Entry<scene::Image, Environment>> environments_;
};

} // namespace vesk::gl
