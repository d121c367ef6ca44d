// clang-format off
#include <epoxy/gl.h> // first: epoxy refuses to follow other GL headers
// clang-format on

#include "render/gl/GpuCache.hpp"

#include "render/scene/EnvironmentLighting.hpp"

#include <algorithm>
#include <bit>

namespace vesk::gl {

namespace {

void deleteMesh(const GpuCache::Mesh& m) {
    glDeleteVertexArrays(1, &m.vao);
    glDeleteBuffers(1, &m.vbo);
    glDeleteBuffers(1, &m.ebo);
}

void deleteTexture(const GpuCache::Texture& t) {
    glDeleteTextures(1, &t.id);
}

GpuCache::Mesh upload(const scene::GeometrySource& g) {
    GpuCache::Mesh m;
    m.normals = scene::hasNormals(g);
    m.colors = scene::hasColors(g);
    m.uv = scene::hasUV(g);
    m.animation = scene::hasAnimation(g);
    m.indexCount = int(g.idx.size());

    struct Stream {
        const std::vector<float>* data;
        bool used;
        GLint components;
        GLsizei strideFloats;
    };
    using S = scene::GeometrySource;
    const std::array<Stream, 6> streams{{
        {&g.p, true, 3, GLsizei(S::vec3Floats)},
        {&g.n, m.normals, 3, GLsizei(S::vec3Floats)},
        {&g.c, m.colors, 4, GLsizei(S::vec4Floats)},
        {&g.uv, m.uv, 2, GLsizei(S::vec2Floats)},
        {&g.a0, m.animation, 2, GLsizei(S::vec2Floats)},
        {&g.a1, m.animation, 2, GLsizei(S::vec2Floats)},
    }};
    std::size_t total = 0;
    for (const Stream& s : streams)
        if (s.used) total += s.data->size() * sizeof(float);

    glGenVertexArrays(1, &m.vao);
    glBindVertexArray(m.vao);
    glGenBuffers(1, &m.vbo);
    glBindBuffer(GL_ARRAY_BUFFER, m.vbo);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(total), nullptr, GL_STATIC_DRAW);
    std::size_t offset = 0;
    for (GLuint location = 0; location < streams.size(); ++location) {
        const Stream& s = streams[location];
        if (!s.used) {
            glDisableVertexAttribArray(location);
            continue;
        }
        const std::size_t bytes = s.data->size() * sizeof(float);
        glBufferSubData(GL_ARRAY_BUFFER, GLintptr(offset), GLsizeiptr(bytes), s.data->data());
        glEnableVertexAttribArray(location);
        glVertexAttribPointer(location, s.components, GL_FLOAT, GL_FALSE,
                              s.strideFloats * GLsizei(sizeof(float)), reinterpret_cast<const void*>(offset));
        offset += bytes;
    }
    glGenBuffers(1, &m.ebo);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m.ebo);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(g.idx.size() * sizeof(std::uint32_t)), g.idx.data(),
                 GL_STATIC_DRAW);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return m;
}

GpuCache::Texture upload(const scene::Image& image) {
    // Uploads happen in the middle of drawing: leave the active unit's texture as it was.
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    GpuCache::Texture t;
    t.width = image.width();
    t.height = image.height();
    t.levels = int(std::bit_width(unsigned(std::max(t.width, t.height))));
    glGenTextures(1, &t.id);
    glBindTexture(GL_TEXTURE_2D, t.id);
    // Tightly packed rows, whatever unpacking a toolkit sharing the context has set up.
    GLint alignment = 4, rowLength = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_SRGB8_ALPHA8, t.width, t.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 image.rgba().data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, rowLength);
    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, GLuint(bound));
    return t;
}

template <class Map, class Delete> void sweepMap(Map& map, Delete del) {
    for (auto it = map.begin(); it != map.end();) {
        if (it->second.owner.expired()) {
            del(it->second.gpu);
            it = map.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace

GpuCache::~GpuCache() {
    for (const auto& [id, e] : meshes_)
        deleteMesh(e.gpu);
    for (const auto& [id, e] : textures_)
        deleteTexture(e.gpu);
    for (const auto& [id, e] : environments_)
        deleteTexture(e.gpu.texture);
}

const GpuCache::Mesh& GpuCache::mesh(const scene::Geometry& geometry) {
    const auto it = meshes_.find(geometry.sourceId());
    if (it != meshes_.end()) return it->second.gpu;
    auto& entry = meshes_[geometry.sourceId()];
    entry.owner = geometry.sharedSource();
    entry.gpu = upload(geometry.source());
    return entry.gpu;
}

const GpuCache::Texture* GpuCache::texture(const std::shared_ptr<const scene::Image>& image) {
    if (!image || image->empty()) return nullptr;
    const auto it = textures_.find(image->id());
    if (it != textures_.end()) return &it->second.gpu;
    auto& entry = textures_[image->id()];
    entry.owner = image;
    entry.gpu = upload(*image);
    return &entry.gpu;
}

const GpuCache::Environment* GpuCache::environment(const std::shared_ptr<const scene::Image>& panorama) {
    if (!panorama || panorama->empty()) return nullptr;
    const auto it = environments_.find(panorama->id());
    if (it != environments_.end()) return &it->second.gpu;
    auto& entry = environments_[panorama->id()];
    entry.owner = panorama;
    entry.gpu.texture = upload(*panorama);
    entry.gpu.irradiance = scene::irradianceCoefficients(*panorama);
    // The panorama wraps around horizontally; its poles must not wrap.
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glBindTexture(GL_TEXTURE_2D, entry.gpu.texture.id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, GLuint(bound));
    return &entry.gpu;
}

void GpuCache::sweep() {
    sweepMap(meshes_, deleteMesh);
    sweepMap(textures_, deleteTexture);
    sweepMap(environments_, [](const Environment& e) { deleteTexture(e.texture); });
}

} // namespace vesk::gl
