#include "platform/PngWriter.hpp"

#include "PlatformTestSupport.hpp"
#include "bonsai/Textures.hpp"
#include "bonsai/VoxelGrower.hpp"
#include "platform/PosixFileSystem.hpp"

#include <cstring>
#include <gtest/gtest.h>
#include <png.h>
#include <tuple>

namespace vesk {
namespace {

using bonsai::Textures::Image;
using test::TempFolder;

struct Decoded {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba; // straight alpha
};

// Reads a PNG back with libpng, as any image viewer would.
std::optional<Decoded> decode(const std::filesystem::path& path) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
    image.format = PNG_FORMAT_RGBA;
    Decoded out{int(image.width), int(image.height), std::vector<std::uint8_t>(PNG_IMAGE_SIZE(image))};
    if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) return std::nullopt;
    return out;
}

// Back to premultiplied alpha, as the textures hold their pixels.
std::vector<std::uint8_t> premultiplied(std::vector<std::uint8_t> rgba) {
    for (std::size_t i = 0; i < rgba.size(); i += 4)
        for (std::size_t k = 0; k < 3; ++k)
            rgba[i + k] = std::uint8_t((rgba[i + k] * rgba[i + 3] + 127) / 255);
    return rgba;
}

PngWriter::Pixels pixelsOf(const Image& image) {
    return {image.width, image.height, image.rgba, true};
}

TEST(PngWriterTest, TexturesOfASeedSurviveTheRoundTrip) {
    TempFolder folder;
    PosixFileSystem files;
    const std::uint64_t seed = 0xB0A5A1;
    const auto [species, style] = bonsai::VoxelGrower::speciesAndStyle(seed);
    const Image sky = bonsai::Textures::sky(species.sky, bonsai::normalize({-0.55f, 0.62f, 0.45f}));
    const Image backdrop = bonsai::Textures::backdrop(species.sky);
    const std::pair<std::string, const Image*> images[] = {{"block.png", &bonsai::Textures::block()},
                                                           {"spark.png", &bonsai::Textures::spark()},
                                                           {"sky.png", &sky},
                                                           {"backdrop.png", &backdrop}};
    for (const auto& [name, image] : images) {
        ASSERT_TRUE(PngWriter::write(files, folder / name, pixelsOf(*image))) << name;
        const std::optional<Decoded> back = decode(folder / name);
        ASSERT_TRUE(back) << name;
        EXPECT_EQ(back->width, image->width) << name;
        EXPECT_EQ(back->height, image->height) << name;
        EXPECT_EQ(premultiplied(back->rgba), image->rgba) << name;
    }
    // The spark fades by alpha alone: stored straight, it is white wherever it is visible.
    const Decoded spark = *decode(folder / "spark.png");
    for (std::size_t i = 0; i < spark.rgba.size(); i += 4) {
        if (spark.rgba[i + 3] == 0) continue;
        ASSERT_EQ(spark.rgba[i], 255) << i / 4;
    }
}

TEST(PngWriterTest, StraightPixelsAreStoredAsTheyAreAndBadInputIsRefused) {
    TempFolder folder;
    PosixFileSystem files;
    const std::vector<std::uint8_t> rgba{10,  20,  30,  40,  200, 100, 0, 255, 0, 0, 0, 0,
                                         255, 255, 255, 128, 1,   2,   3, 4,   5, 6, 7, 8};
    ASSERT_TRUE(PngWriter::write(files, folder / "two.png", {2, 3, rgba, false}));
    const std::optional<Decoded> back = decode(folder / "two.png");
    ASSERT_TRUE(back);
    EXPECT_EQ(std::tuple(back->width, back->height, back->rgba), std::tuple(2, 3, rgba));

    EXPECT_FALSE(PngWriter::encode({2, 4, rgba, false})); // too few pixels for the size
    EXPECT_FALSE(PngWriter::encode({0, 0, {}, false}));
    EXPECT_FALSE(PngWriter::encode({-2, -3, rgba, false}));
    EXPECT_FALSE(PngWriter::write(files, folder / "bad.png", {2, 4, rgba, false}));
    EXPECT_FALSE(std::filesystem::exists(folder / "bad.png"));
    EXPECT_FALSE(PngWriter::write(files, folder / "missing" / "x.png", {2, 3, rgba, false}));
}

} // namespace
} // namespace vesk
