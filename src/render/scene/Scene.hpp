#pragma once

#include "render/scene/Image.hpp"
#include "render/scene/Node.hpp"

#include <memory>
#include <vector>

namespace vesk::scene {

// A scene: the node tree, what is drawn behind it, and the image that lights it.
class Scene {
  public:
    Scene();

    const std::shared_ptr<Node>& root() const { return root_; }

    // Behind everything: the image stretched over the view when there is one, else the
    // linear colour.
    std::shared_ptr<const Image> backgroundImage;
    Vec3 backgroundColor{0.0f, 0.0f, 0.0f};

    // An equirectangular panorama (display colours) lighting every lit surface, diffuse and
    // specular, scaled by the intensity. None: no ambient light.
    std::shared_ptr<const Image> lightingEnvironment;
    float lightingEnvironmentIntensity = 1.0f;

    // Advances actions, transaction blends and particles of every node in the tree to
    // `timeSeconds`. A node added during the step is first stepped at the next one; an action
    // starts its clock at the first step that reaches its node.
    void update(double timeSeconds);
    double time() const { return time_; }

  private:
    // Every node of the tree, parents before children, in child order.
    std::vector<std::shared_ptr<Node>> nodes() const;
    std::shared_ptr<Node> root_;
    double time_ = 0.0;
};

} // namespace vesk::scene
