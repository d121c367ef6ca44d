#include "bonsai/Textures.hpp"

#include "bonsai/Species.hpp"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace vesk::bonsai {
namespace {

using Textures::Image;

// The byte a display-space channel of a linear colour should have.
int displayByte(float linear) {
    return int(std::pow(double(linear), 1.0 / 2.2) * 255.0);
}

void expectNear(const std::uint8_t* px, Vec3 linear, int tolerance) {
    EXPECT_NEAR(px[0], displayByte(linear.x), tolerance);
    EXPECT_NEAR(px[1], displayByte(linear.y), tolerance);
    EXPECT_NEAR(px[2], displayByte(linear.z), tolerance);
}

bool rowIsUniform(const Image& image, int row) {
    for (int i = 1; i < image.width; ++i)
        if (!std::equal(image.pixel(i, row), image.pixel(i, row) + 4, image.pixel(0, row))) return false;
    return true;
}

void expectOpaque(const Image& image) {
    for (std::size_t k = 3; k < image.rgba.size(); k += 4)
        ASSERT_EQ(image.rgba[k], 255) << k / 4;
}

TEST(TexturesTest, BlockIsAnOpaqueGreyBevel) {
    const Image& block = Textures::block();
    EXPECT_EQ(&block, &Textures::block()); // built once and shared
    expectOpaque(block);
    int lowest = 255;
    for (int j = 0; j < 128; ++j)
        for (int i = 0; i < 128; ++i) {
            const std::uint8_t* px = block.pixel(i, j);
            ASSERT_EQ(px[0], px[1]);
            ASSERT_EQ(px[1], px[2]);
            lowest = std::min<int>(lowest, px[0]);
            // Mirror images agree up to the grain (5 % of the value).
            EXPECT_NEAR(px[0], block.pixel(127 - i, j)[0], 14);
            EXPECT_NEAR(px[0], block.pixel(i, 127 - j)[0], 14);
        }
    EXPECT_GE(block.pixel(64, 64)[0], 246); // 1.0 × at least 0.965
    const int corner = block.pixel(0, 0)[0];
    EXPECT_GE(corner, 196); // about 0.8 × (0.965 … 1.015)
    EXPECT_LE(corner, 207);
    EXPECT_GE(lowest, 196);
}

TEST(TexturesTest, SparkIsPremultipliedWhiteFadingAtTheBorder) {
    const Image& spark = Textures::spark();
    for (int j = 0; j < 32; ++j)
        for (int i = 0; i < 32; ++i) {
            const std::uint8_t* px = spark.pixel(i, j);
            ASSERT_EQ(px[0], px[3]);
            ASSERT_EQ(px[1], px[3]);
            ASSERT_EQ(px[2], px[3]);
            const bool inner = std::abs(2.0f * (float(i) + 0.5f) / 32.0f - 1.0f) <= 0.55f &&
                               std::abs(2.0f * (float(j) + 0.5f) / 32.0f - 1.0f) <= 0.55f;
            if (inner) {
                EXPECT_EQ(px[3], 255) << i << ' ' << j;
            }
        }
    // Pixel centres stop half a pixel short of the border, where the fade would reach zero.
    for (auto [i, j] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}})
        EXPECT_LE(spark.pixel(i, j)[3], 4);
    EXPECT_EQ(spark.pixel(16, 16)[3], 255);
    EXPECT_LT(spark.pixel(0, 16)[3], spark.pixel(8, 16)[3]);
}

TEST(TexturesTest, SkyBlendsZenithHorizonAndGroundAroundTheSun) {
    const Sky& palette = Species::maple().sky;
    // Sun straight down: nothing glows above the horizon.
    const Image down = Textures::sky(palette, {0.0f, -1.0f, 0.0f});
    expectOpaque(down);
    ASSERT_TRUE(rowIsUniform(down, 0));
    expectNear(down.pixel(0, 0), palette.zenith, 2); // the top row sees no clouds
    ASSERT_TRUE(rowIsUniform(down, 256));
    expectNear(down.pixel(0, 256), palette.horizon, 1);
    // Clouds above the horizon vary along a row.
    EXPECT_FALSE(rowIsUniform(down, 120));

    // Sun straight up: the glow is centred on the top row, and nothing below the horizon sees it
    // nor any cloud, so each of those rows is one colour.
    const Image up = Textures::sky(palette, UP);
    ASSERT_TRUE(rowIsUniform(up, 0));
    EXPECT_GT(up.pixel(0, 0)[0], down.pixel(0, 0)[0] + 20);
    for (int j = 257; j < 512; j += 17)
        ASSERT_TRUE(rowIsUniform(up, j)) << j;
    // The bottom row leans 80 % of the way to the ground colour (in display space).
    const auto towards = [](float h, float g) {
        const double hd = std::pow(double(h), 1 / 2.2), gd = std::pow(double(g), 1 / 2.2);
        return int((hd + (gd - hd) * 0.8) * 255.0);
    };
    EXPECT_NEAR(up.pixel(0, 511)[0], towards(palette.horizon.x, palette.ground.x), 2);
    EXPECT_NEAR(up.pixel(0, 511)[2], towards(palette.horizon.z, palette.ground.z), 2);
}

TEST(TexturesTest, BackdropIsAPoolOfTintAboveTheCentre) {
    const Sky& palette = Species::wisteria().sky;
    const Image image = Textures::backdrop(palette);
    expectOpaque(image);
    const Vec3 linearTint = palette.horizon + (palette.zenith - palette.horizon) * 0.35f;
    const double tint = std::pow(double(linearTint.z), 1 / 2.2) * 255.0;
    int brightest = 0, bi = 0, bj = 0;
    for (int j = 0; j < 512; ++j)
        for (int i = 0; i < 512; ++i)
            if (image.pixel(i, j)[2] > brightest) brightest = image.pixel(i, j)[2], bi = i, bj = j;
    EXPECT_NEAR(brightest, 0.158 * tint, 2.5);
    EXPECT_NEAR(bi, 256, 12);
    EXPECT_NEAR(bj, 215, 12);
    for (auto [i, j] : {std::pair{0, 0}, {511, 0}, {0, 511}, {511, 511}})
        EXPECT_NEAR(image.pixel(i, j)[2], 0.028 * tint, 2.0);
}

} // namespace
} // namespace vesk::bonsai
