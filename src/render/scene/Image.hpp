#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace vesk::scene {

// An 8-bit RGBA bitmap: sRGB-encoded, alpha premultiplied, row 0 at the top, rows of
// width × 4 bytes. Immutable once made, so that any number of materials and GL contexts can
// share it.
class Image {
  public:
    // Bytes that do not match width × height × 4 give an empty image.
    static std::shared_ptr<const Image> make(int width, int height, std::vector<std::uint8_t> rgba);

    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<std::uint8_t>& rgba() const { return rgba_; }
    std::uint64_t id() const { return id_; }
    bool empty() const { return rgba_.empty(); }

    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

  private:
    Image(int width, int height, std::vector<std::uint8_t> rgba);

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> rgba_;
    std::uint64_t id_ = 0;
};

} // namespace vesk::scene
