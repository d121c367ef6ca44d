#include "platform/PngWriter.hpp"

#include <algorithm>
#include <cstring>
#include <png.h>
#include <vector>

namespace vesk::PngWriter {

namespace {

// Straight alpha from premultiplied: each colour channel c becomes round(c · 255 / a), at most 255.
std::vector<std::uint8_t> unpremultiplied(std::span<const std::uint8_t> rgba) {
    std::vector<std::uint8_t> out(rgba.begin(), rgba.end());
    for (std::size_t i = 0; i + 3 < out.size(); i += 4) {
        const unsigned a = out[i + 3];
        if (a == 255) continue;
        for (std::size_t k = 0; k < 3; ++k)
            out[i + k] = a == 0 ? 0 : std::uint8_t(std::min(255u, (unsigned(out[i + k]) * 255u + a / 2) / a));
    }
    return out;
}

} // namespace

std::optional<std::string> encode(const Pixels& pixels) {
    if (pixels.width <= 0 || pixels.height <= 0) return std::nullopt;
    const std::size_t expected = std::size_t(pixels.width) * std::size_t(pixels.height) * 4;
    if (pixels.rgba.size() != expected) return std::nullopt;

    std::vector<std::uint8_t> straight;
    const std::uint8_t* data = pixels.rgba.data();
    if (pixels.premultiplied) {
        straight = unpremultiplied(pixels.rgba);
        data = straight.data();
    }

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(pixels.width);
    image.height = png_uint_32(pixels.height);
    image.format = PNG_FORMAT_RGBA;
    const png_int_32 rowStride = png_int_32(pixels.width) * 4;

    // The first call only measures.
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, data, rowStride, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    std::string bytes(size, '\0');
    const bool ok = png_image_write_to_memory(&image, bytes.data(), &size, 0, data, rowStride, nullptr);
    png_image_free(&image);
    if (!ok) return std::nullopt;
    bytes.resize(size);
    return bytes;
}

bool write(FileSystem& files, const std::filesystem::path& path, const Pixels& pixels) {
    const std::optional<std::string> bytes = encode(pixels);
    return bytes && files.writeAtomically(path, *bytes);
}

} // namespace vesk::PngWriter
