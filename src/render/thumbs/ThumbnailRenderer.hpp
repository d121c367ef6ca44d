#pragma once

#include "bonsai/BonsaiGrower.hpp"
#include "bonsai/Species.hpp"
#include "render/engine/SkyCache.hpp"
#include "render/gl/OffscreenRenderer.hpp"
#include "render/scene/Scene.hpp"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace vesk {

// Pictures of one tree with its pot, ground, sky and lights, drawn offscreen: the garden's
// thumbnails and the developer's frame sequences. It has its own scene, camera, lights and
// blueprint cache, independent of the live view. Used by one thread at a time; the GL
// context is made by the first render, on the rendering thread, which must also destroy
// the renderer.
class ThumbnailRenderer {
  public:
    ThumbnailRenderer();
    ~ThumbnailRenderer();
    ThumbnailRenderer(const ThumbnailRenderer&) = delete;
    ThumbnailRenderer& operator=(const ThumbnailRenderer&) = delete;

    // The tree `seed` at n cubes in an image of width × height pixels; nothing when no
    // headless GL is available or the frame fails. The scene keeps no tree afterwards.
    std::optional<gl::Frame> render(std::uint64_t seed, std::int64_t n, int width, int height);

    // Pictures for cards that crop their centre, each to its own aspect (width ÷ height): each
    // shows at least what a picture of `viewAspect` shows across, more above and below when
    // it is narrower, and widens its view until all of the tree and its diorama lie inside the
    // centred part of `windowAspect` that every card keeps. Until called the lens stays as it is.
    void frameForCards(float viewAspect, float windowAspect);

    // How far from the middle of the view the content reaches, as the tangents of the angles
    // across and up or down to its farthest corners.
    struct Reach {
        float across = 0.0f;
        float upDown = 0.0f;
    };
    // The tangent of half the angle across that such a card picture shows, for a lens whose
    // `viewAspect` picture shows `viewHalfWidth` across, with a little room round the content.
    static float cardHalfWidth(float viewHalfWidth, Reach reach, float windowAspect);

    // The camera at target + distance·(sin yaw·cos pitch, sin pitch, cos yaw·cos pitch),
    // looking at the target.
    void aimCamera(float yaw, float pitch, float distance);

    const scene::Scene& scene() const { return scene_; }
    const scene::Node& camera() const { return *camera_; }
    scene::Vec3 target() const { return target_; }
    // The GL log of the last failed attempt to make the offscreen context.
    const std::string& log() const { return log_; }

  private:
    enum Part { wood, leaves, pot, ground, stand, partCount };

    void installTree(const bonsai::BonsaiGrower::State& state);
    Reach reachOf(const bonsai::BonsaiGrower::State& state) const;
    // The vertical field of view for a picture `aspect` wide per high.
    float fieldOfView(const bonsai::BonsaiGrower::State& state, float aspect) const;
    void installLights(const bonsai::Species& species, scene::Vec3 sunDir);
    void clearParts();

    scene::Scene scene_;
    std::shared_ptr<scene::Node> content_, camera_, sun_, fill_, rim_;
    std::array<std::shared_ptr<scene::Node>, partCount> parts_;
    std::array<std::shared_ptr<scene::Material>, partCount> materials_;
    bonsai::BonsaiGrower grower_;
    std::unique_ptr<gl::OffscreenRenderer> renderer_;
    SkyCache skies_;
    scene::Vec3 target_{0.0f, 1.0f, 0.0f};
    float fieldOfViewDegrees_ = 0.0f; // the lens's own
    float viewAspect_ = 0.0f;         // with the window's: none until frameForCards
    float windowAspect_ = 0.0f;
    std::string log_;
};

} // namespace vesk
