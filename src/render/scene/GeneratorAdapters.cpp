#include "render/scene/GeneratorAdapters.hpp"

namespace vesk::scene {

std::shared_ptr<const Image> sceneImage(bonsai::Textures::Image bitmap) {
    return Image::make(bitmap.width, bitmap.height, std::move(bitmap.rgba));
}

} // namespace vesk::scene
