#include "render/scene/GeneratorAdapters.hpp"

namespace vesk::scene {

std::shared_ptr<const Image> sceneImage(bonsai::Textures::Image bitmap) {
    return Image::make(bitmap.width, bitmap.height, std::move(bitmap.rgba));
}

const std::shared_ptr<const Image>& blockImage() {
    static const std::shared_ptr<const Image> image = sceneImage(bonsai::Textures::block());
    return image;
}

const std::shared_ptr<const Image>& sparkImage() {
    static const std::shared_ptr<const Image> image = sceneImage(bonsai::Textures::spark());
    return image;
}

} // namespace vesk::scene
