#include "render/scene/Image.hpp"

#include "render/scene/ResourceId.hpp"

namespace vesk::scene {

Image::Image(int width, int height, std::vector<std::uint8_t> rgba)
    : width_(width), height_(height), rgba_(std::move(rgba)), id_(nextResourceId()) {}

std::shared_ptr<const Image> Image::make(int width, int height, std::vector<std::uint8_t> rgba) {
    const bool valid = width > 0 && height > 0 && rgba.size() == std::size_t(width) * std::size_t(height) * 4;
    if (!valid) return std::shared_ptr<const Image>(new Image(0, 0, {}));
    return std::shared_ptr<const Image>(new Image(width, height, std::move(rgba)));
}

} // namespace vesk::scene
