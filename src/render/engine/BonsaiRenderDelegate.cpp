#include "render/engine/BonsaiRenderDelegate.hpp"

#include "render/engine/GrowthAnimation.hpp"

namespace vesk {

void BonsaiRenderDelegate::update(double timeSeconds, scene::Node* pointOfView) {
    const std::lock_guard lock(stepping_);
    falling.update(timeSeconds);
    if (pointOfView) GrowthAnimation::keepInView(*pointOfView, orbitTarget);
}

} // namespace vesk
