#pragma once

#include "core/runtime/FileSystem.hpp"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

// 8-bit RGBA images as PNG files (frames, thumbnails, the procedural textures).
namespace vesk::PngWriter {

// Rows of width × 4 bytes, row 0 at the top. PNG stores straight alpha, so premultiplied
// pixels are divided by their alpha on the way out.
struct Pixels {
    int width = 0;
    int height = 0;
    std::span<const std::uint8_t> rgba;
    bool premultiplied = false;
};

// The PNG file's bytes; nothing when the size and the pixel count disagree or libpng fails.
std::optional<std::string> encode(const Pixels& pixels);

// Encodes and writes atomically; false on any failure.
bool write(FileSystem& files, const std::filesystem::path& path, const Pixels& pixels);

} // namespace vesk::PngWriter
