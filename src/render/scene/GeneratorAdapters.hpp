#pragma once

#include "bonsai/Textures.hpp"
#include "render/scene/Image.hpp"

#include <memory>

namespace vesk::scene {

// The generator's bitmap as a scene image; the pixels are moved, not copied (the layouts are
// the same).
std::shared_ptr<const Image> sceneImage(bonsai::Textures::Image bitmap);

// The generator's block texture and spark sprite, made once per process and shared by every
// material and particle system that shows them.
const std::shared_ptr<const Image>& blockImage();
const std::shared_ptr<const Image>& sparkImage();

} // namespace vesk::scene
