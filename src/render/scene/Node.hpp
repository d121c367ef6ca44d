#pragma once

#include "render/scene/Action.hpp"
#include "render/scene/Camera.hpp"
#include "render/scene/Geometry.hpp"
#include "render/scene/Light.hpp"
#include "render/scene/Mat4.hpp"
#include "render/scene/ParticleSystem.hpp"
#include "render/scene/Transaction.hpp"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk::scene {

// A node of the scene tree: a transform (translation · rotation · scale) relative to its
// parent, with optional geometry, light, camera and particle systems, and the actions it
// runs. Opacity multiplies down the tree; a hidden node hides its subtree.
class Node : public std::enable_shared_from_this<Node> {
  public:
    static std::shared_ptr<Node> make(std::string name = {});

    ~Node();
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    std::string name;
    std::shared_ptr<Geometry> geometry;
    std::optional<DirectionalLight> light;
    std::optional<Camera> camera;
    bool castsShadow = true;
    bool hidden = false;

    // Model values. Setters animate inside a Transaction (see there).
    Vec3 position() const { return position_; }
    Quat orientation() const { return orientation_; }
    Vec3 scale() const { return scale_; }
    float opacity() const { return opacity_; }
    void setPosition(Vec3 position);
    void setOrientation(Quat orientation);
    void setScale(Vec3 scale);
    void setScale(float uniform) { setScale(Vec3{uniform, uniform, uniform}); }
    void setOpacity(float opacity);

    // Turns the node so that its `localFront` axis points from its position at `target`
    // (both in the parent's space), with `up` as the upward hint.
    void lookAt(Vec3 target, Vec3 up = {0.0f, 1.0f, 0.0f}, Vec3 localFront = {0.0f, 0.0f, -1.0f});

    // What is shown now: the model values, or the blend of a running transaction.
    Vec3 presentedPosition() const;
    Quat presentedOrientation() const;
    Vec3 presentedScale() const;
    float presentedOpacity() const;
    Mat4 localTransform() const; // presented
    Mat4 worldTransform() const; // presented, through the parents

    // Tree.
    Node* parent() const { return parent_; }
    const std::vector<std::shared_ptr<Node>>& children() const { return children_; }
    void addChild(std::shared_ptr<Node> child); // moves it from any earlier parent
    void removeFromParent();
    void removeAllChildren();
    bool isDescendantOf(const Node& ancestor) const;

    // Actions. Running an action under a key replaces the one of that key (without its
    // completion); an empty key never replaces. The completion runs once, when the action
    // finishes, never when it is removed.
    void runAction(const Action& action, std::string key = {}, std::function<void()> completion = {});
    void removeAction(const std::string& key);
    bool hasAction(const std::string& key) const;
    bool hasActions() const { return !actions_.empty(); }

    // Particle systems emit from this node; finished ones are dropped by the scene step.
    void addParticleSystem(std::shared_ptr<ParticleSystem> system);
    const std::vector<std::shared_ptr<ParticleSystem>>& particleSystems() const { return particles_; }

    // One scene step at `time`: actions, then transaction blends, then particles.
    void step(double time);

  private:
    Node() = default;

    struct RunningAction {
        std::uint64_t serial = 0;
        std::string key;
        ActionRun run;
        std::function<void()> completion;
        std::optional<double> startSeconds;
    };

    void stepActions(double time);

    Vec3 position_;
    Quat orientation_;
    Vec3 scale_{1.0f, 1.0f, 1.0f};
    float opacity_ = 1.0f;
    std::optional<Tween<Vec3>> positionTween_, scaleTween_;
    std::optional<Tween<Quat>> orientationTween_;
    std::optional<Tween<float>> opacityTween_;

    Node* parent_ = nullptr;
    std::vector<std::shared_ptr<Node>> children_;
    std::vector<std::shared_ptr<RunningAction>> actions_;
    std::uint64_t lastSerial_ = 0;
    std::vector<std::shared_ptr<ParticleSystem>> particles_;
};

} // namespace vesk::scene
