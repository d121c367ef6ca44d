#pragma once

#include "bonsai/Textures.hpp"
#include "bonsai/VoxelMesher.hpp"
#include "render/engine/BonsaiEngine.hpp"
#include "render/engine/GrowthAnimation.hpp"
#include "render/scene/GeneratorAdapters.hpp"
#include "render/scene/Scene.hpp"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace vesk::scene::testing {

// A lit voxel diorama as the engine builds one: the cubes meshed by the generator under
// `content`, three directional lights (a shadowed sun), the generator's sky for image-based
// light and its backdrop; `camera` looks at (0, 1, 0) with the live view's settings.
// Header-only, so that the benchmarks can draw the same scene.
struct VoxelScene {
    Scene scene;
    std::shared_ptr<Node> content;
    std::shared_ptr<Node> cubes;
    std::shared_ptr<Material> material;
    std::shared_ptr<Node> camera;
    std::shared_ptr<Node> sun;
};

// A cube of the generator's kind at a cell.
inline bonsai::Cube cube(int x, int y, int z, Vec3 color) {
    bonsai::Cube c;
    c.x = x;
    c.y = y;
    c.z = z;
    c.color = color;
    return c;
}

// A slab of ground, a trunk and a crown of coloured cubes, with a flower on top.
inline std::vector<bonsai::Cube> smallTreeCubes() {
    std::vector<bonsai::Cube> cubes;
    auto add = [&](int x, int y, int z, Vec3 color) { cubes.push_back(cube(x, y, z, color)); };
    for (int x = -2; x <= 2; ++x)
        for (int z = -2; z <= 2; ++z)
            add(x, -1, z, {0.18f, 0.12f, 0.07f});
    for (int y = 0; y <= 2; ++y)
        add(0, y, 0, {0.35f, 0.2f, 0.1f});
    for (int x = -1; x <= 1; ++x)
        for (int z = -1; z <= 1; ++z)
            add(x, 3, z, {0.12f, 0.45f, 0.1f});
    add(0, 4, 0, {0.8f, 0.3f, 0.4f});
    return cubes;
}

namespace detail {

struct Images {
    std::shared_ptr<const Image> block, sky, backdrop;
};

// The images are plain CPU data, made once for the whole test program.
inline const Images& images() {
    static const Images made = [] {
        bonsai::Sky palette;
        palette.zenith = {0.22f, 0.36f, 0.62f};
        palette.horizon = {0.75f, 0.7f, 0.62f};
        palette.ground = {0.16f, 0.13f, 0.1f};
        palette.sun = {1.0f, 0.86f, 0.66f};
        palette.sunIntensity = 1500.0f;
        palette.ambient = 1.0f;
        const bonsai::Vec3 sunDir = bonsai::normalize({-0.55f, 0.62f, 0.45f});
        return Images{sceneImage(bonsai::Textures::block()),
                      sceneImage(bonsai::Textures::sky(palette, sunDir)),
                      sceneImage(bonsai::Textures::backdrop(palette))};
    }();
    return made;
}

} // namespace detail

inline std::unique_ptr<VoxelScene> makeVoxelScene(const std::vector<bonsai::Cube>& cubes) {
    auto s = std::make_unique<VoxelScene>();
    bonsai::Int3 lo{1 << 20, 1 << 20, 1 << 20}, hi{-(1 << 20), -(1 << 20), -(1 << 20)};
    for (const auto& c : cubes) {
        lo = {std::min<std::int64_t>(lo.x, c.x), std::min<std::int64_t>(lo.y, c.y),
              std::min<std::int64_t>(lo.z, c.z)};
        hi = {std::max<std::int64_t>(hi.x, c.x), std::max<std::int64_t>(hi.y, c.y),
              std::max<std::int64_t>(hi.z, c.z)};
    }
    bonsai::VoxelGrid grid(lo, hi);
    for (const auto& c : cubes)
        grid.mark(c);

    s->material = std::make_shared<Material>();
    s->material->diffuse = detail::images().block;
    s->material->roughness = 0.6f;
    auto geometry = Geometry::make(bonsai::VoxelMesher::mesh(cubes, grid));
    geometry->materials = {s->material};

    s->content = Node::make("content");
    // Framed as the engine frames a diorama: the larger side fits in about four units
    // around the orbit target.
    const float extent = float(std::max({hi.x - lo.x, hi.y - lo.y, hi.z - lo.z}) + 1);
    const float scale = std::min(3.0f / extent, 0.6f);
    const Vec3 centre{float(lo.x + hi.x) * 0.5f, float(lo.y + hi.y) * 0.5f, float(lo.z + hi.z) * 0.5f};
    s->content->setScale(scale);
    s->content->setPosition(Vec3{0.0f, 1.0f, 0.0f} - centre * scale);
    s->cubes = Node::make("cubes");
    s->cubes->geometry = geometry;
    s->content->addChild(s->cubes);
    s->scene.root()->addChild(s->content);

    const Vec3 target{0.0f, 1.0f, 0.0f};
    s->camera = Node::make("camera");
    s->camera->camera = BonsaiEngine::cameraSettings();
    s->camera->setPosition(target + Vec3{4.0663586f, 2.403899f, 11.139839f});
    s->camera->lookAt(target);
    s->scene.root()->addChild(s->camera);

    auto light = [&](const char* name, Vec3 dir, Vec3 color, float intensity) {
        auto node = Node::make(name);
        DirectionalLight l;
        l.color = color;
        l.intensity = intensity;
        node->light = l;
        node->setPosition(target + normalized(dir) * 20.0f);
        node->lookAt(target);
        s->scene.root()->addChild(node);
        return node;
    };
    s->sun = light("sun", {-0.55f, 0.62f, 0.45f}, {1.0f, 0.86f, 0.66f}, 1500.0f);
    const DirectionalLight lit = *s->sun->light;
    *s->sun->light = BonsaiEngine::sunSettings();
    s->sun->light->color = lit.color;
    s->sun->light->intensity = lit.intensity;
    light("fill", {0.55f, 0.25f, 0.77f}, {0.61f, 0.68f, 0.81f}, 260.0f);
    light("rim", {-0.27f, 0.5f, -1.0f}, {0.93f, 0.82f, 0.65f}, 650.0f);

    s->scene.lightingEnvironment = detail::images().sky;
    s->scene.lightingEnvironmentIntensity = 1.0f;
    s->scene.backgroundImage = detail::images().backdrop;
    return s;
}

inline std::unique_ptr<VoxelScene> makeVoxelScene() {
    return makeVoxelScene(smallTreeCubes());
}

// A burst as the growth reveal makes one for every new cube.
inline ParticleSettings sparkBurst() {
    return sparkSettings(sceneImage(bonsai::Textures::spark()));
}

} // namespace vesk::scene::testing
