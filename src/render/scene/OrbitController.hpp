#pragma once

#include "render/scene/Node.hpp"

#include <optional>

namespace vesk::scene {

// A turntable camera control: dragging turns the camera about the vertical axis through the
// target and tilts it within limits; on release the turn keeps going and slows by friction;
// dollying moves it nearer or farther. It drives a camera node and is stepped with scene time.
class OrbitController {
  public:
    struct Settings {
        Vec3 target{0.0f, 1.0f, 0.0f};
        float minPitchDegrees = -12.0f;
        float maxPitchDegrees = 80.0f;
        float friction = 0.08f;        // share of the spin lost per 1/60 s after release
        float radiansPerPoint = 0.01f; // turn per point of drag
        float minDistance = 0.5f;
        float maxDistance = 1e6f;
    };

    explicit OrbitController(Settings settings) : settings_(settings) {}

    // Takes the camera's current pose (yaw, pitch, distance about the target) as its own.
    void attach(const Node& camera);

    // A drag by (dx, dy) points at `time` (x turns, y tilts; positive y tilts the camera up).
    void drag(Vec2 deltaPoints, double time);
    // The drag ended: the turn goes on with the speed of the last drag movements.
    void release(double time);
    // Moves the camera by this share of its distance (positive: nearer).
    void dolly(float share);

    // Applies the pose, with the inertia up to `time`, to the camera: placed on its circle,
    // looking at the target.
    void step(Node& camera, double time);

    float yaw() const { return yaw_; }
    float pitch() const { return pitch_; }
    float distance() const { return distance_; }
    // Still turning after a release.
    bool isSpinning() const { return spinning_; }

  private:
    void clampPitch();

    Settings settings_;
    float yaw_ = 0.0f, pitch_ = 0.0f, distance_ = 10.0f;
    Vec2 velocity_;     // radians per second while spinning freely
    Vec2 dragVelocity_; // measured over the drag's last movements
    std::optional<double> lastDrag_;
    std::optional<double> lastStep_;
    bool spinning_ = false;
};

} // namespace vesk::scene
