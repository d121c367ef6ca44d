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

// One pass straight into memory, at zlib's fastest level: frame sequences are written by the
// thousand and their size matters less than the time. libpng reports errors by longjmp, so
// nothing here outlives a jump but the two handles.
bool encodeRows(png_bytepp rows, int width, int height, std::string& out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep chunk, png_size_t length) {
            static_cast<std::string*>(png_get_io_ptr(p))
                ->append(reinterpret_cast<const char*>(chunk), length);
        },
        nullptr);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGBA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
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

    std::vector<png_bytep> rows(std::size_t(pixels.height));
    const std::size_t rowBytes = std::size_t(pixels.width) * 4;
    for (std::size_t y = 0; y < rows.size(); ++y)
        rows[y] = const_cast<png_bytep>(data + y * rowBytes);
    std::string bytes;
    if (!encodeRows(rows.data(), pixels.width, pixels.height, bytes)) return std::nullopt;
    return bytes;
}

bool write(FileSystem& files, const std::filesystem::path& path, const Pixels& pixels) {
    const std::optional<std::string> bytes = encode(pixels);
    return bytes && files.writeAtomically(path, *bytes);
}

} // namespace vesk::PngWriter
