#pragma once

#include "render/engine/FallingCubes.hpp"
#include "render/scene/Node.hpp"

#include <mutex>

namespace vesk {

// The engine's step for every frame drawn of its scene: the falling leaves move, and a point of
// view zoomed out beyond 24 units is pulled back. A view showing the scene calls it before
// drawing; two views drawing at once take turns.
class BonsaiRenderDelegate {
  public:
    explicit BonsaiRenderDelegate(std::shared_ptr<const scene::Image> blockTexture)
        : falling(std::move(blockTexture)) {}

    FallingCubes falling;
    scene::Vec3 orbitTarget{0.0f, 1.0f, 0.0f};

    void update(double timeSeconds, scene::Node* pointOfView);

  private:
    std::mutex stepping_;
};

} // namespace vesk
