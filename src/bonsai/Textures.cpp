#include "bonsai/Textures.hpp"

#include "bonsai/Noise.hpp"

#include <algorithm>
#include <cmath>

namespace vesk::bonsai::Textures {

namespace {

constexpr float pi = 3.1415927f;
constexpr float displayGamma = 0.45454544f; // 1 / 2.2

float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}
float smooth(float t) {
    return t * t * (3.0f - 2.0f * t);
}

std::uint8_t byteOf(float v) {
    return std::uint8_t(clamp01(v) * 255.0f);
}

Vec3 display(Vec3 c) {
    return {fm::pow(std::max(c.x, 0.0f), displayGamma), fm::pow(std::max(c.y, 0.0f), displayGamma),
            fm::pow(std::max(c.z, 0.0f), displayGamma)};
}

// The inverse of an odd number modulo 2^32, by Newton's iteration (each step doubles the bits).
constexpr std::uint32_t inverseOdd(std::uint32_t a) {
    std::uint32_t x = a;
    for (int i = 0; i < 5; ++i)
        x *= 2u - a * x;
    return x;
}

// The grain and dither hash of pixel (i, j) is the noise lattice hash with a constant K in place
// of its z and seed terms: z = 0, and the seed whose seed term (seed × 374761393) is K.
struct PixelHash {
    std::uint32_t seed;
    explicit constexpr PixelHash(std::uint32_t k) : seed(k * inverseOdd(374761393u)) {}
    float operator()(int i, int j) const { return Noise::corner(i, j, 0, seed); }
};
static_assert(PixelHash(0x1234567u).seed * 374761393u == 0x1234567u);

class Canvas {
  public:
    Canvas(int width, int height)
        : image_{width, height, std::vector<std::uint8_t>(std::size_t(width) * std::size_t(height) * 4)} {}

    void set(int i, int j, float r, float g, float b, float a) {
        std::uint8_t* px =
            image_.rgba.data() + (std::size_t(j) * std::size_t(image_.width) + std::size_t(i)) * 4;
        px[0] = byteOf(r);
        px[1] = byteOf(g);
        px[2] = byteOf(b);
        px[3] = byteOf(a);
    }
    Image take() { return std::move(image_); }

  private:
    Image image_;
};

Image makeBlock() {
    constexpr int size = 128;
    const PixelHash hash(0xD6AD2960u);
    Canvas canvas(size, size);
    for (int j = 0; j < size; ++j) {
        const float fy = (float(j) + 0.5f) / float(size);
        for (int i = 0; i < size; ++i) {
            const float fx = (float(i) + 0.5f) / float(size);
            const float d = std::min(std::min(1.0f - fy, 1.0f - fx), std::min(fy, fx));
            const float e = clamp01(d / 0.11f);
            const float g1 = clamp01((d - 0.02f) / 0.03f);
            const float g2 = clamp01((d - 0.05f) / 0.05f);
            float v = smooth(e) * 0.2f + 0.8f + 0.07f * (smooth(g1) - smooth(g2));
            v = v * (0.965f + 0.05f * hash(i, j));
            canvas.set(i, j, v, v, v, 1.0f);
        }
    }
    return canvas.take();
}

Image makeSpark() {
    constexpr int size = 32;
    Canvas canvas(size, size);
    const auto fold = [](int k) { return std::abs(2.0f * (float(k) + 0.5f) / float(size) - 1.0f); };
    for (int j = 0; j < size; ++j)
        for (int i = 0; i < size; ++i) {
            const float m = std::max(fold(i), fold(j));
            const float v = 1.0f - smooth(clamp01((m - 0.55f) / 0.45f));
            canvas.set(i, j, v, v, v, v);
        }
    return canvas.take();
}

// Four octaves of cloud noise; each octave's point is the previous one scaled by 2.03 and moved.
constexpr int octaves = 4;
constexpr std::uint32_t cloudSeeds[octaves] = {2, 133, 264, 395};
constexpr float cloudWeights[octaves] = {0.5f, 0.25f, 0.125f, 0.0625f};

struct CloudAxis {
    float at[octaves];
};
CloudAxis cloudAxis(float first, float shift) {
    CloudAxis axis{};
    axis.at[0] = first;
    for (int k = 1; k < octaves; ++k)
        axis.at[k] = 2.03f * axis.at[k - 1] + shift;
    return axis;
}

} // namespace

const Image& block() {
    static const Image image = makeBlock();
    return image;
}

const Image& spark() {
    static const Image image = makeSpark();
    return image;
}

Image sky(const Sky& palette, Vec3 sunDir) {
    constexpr int width = 1024, height = 512;
    const Vec3 zenith = display(palette.zenith), horizon = display(palette.horizon);
    const Vec3 ground = display(palette.ground), sun = display(palette.sun);
    const CloudAxis depth = cloudAxis(0.5f, 3.1f);

    // Azimuth depends only on the column: its trigonometry and cloud x coordinates once per column.
    std::vector<float> sinAz(width), cosAz(width);
    std::vector<CloudAxis> across(width);
    for (int i = 0; i < width; ++i) {
        const float az = 2.0f * pi * float(i) / float(width) - pi;
        sinAz[std::size_t(i)] = fm::sin(az);
        cosAz[std::size_t(i)] = fm::cos(az);
        across[std::size_t(i)] = cloudAxis(2.2f * az, 1.7f);
    }

    Canvas canvas(width, height);
    for (int j = 0; j < height; ++j) {
        const float el = (0.5f - float(j) / float(height)) * pi;
        const float s = fm::sin(el), c = fm::cos(el);
        Vec3 base;
        if (el >= 0.0f) {
            const float t = (1.0f - fm::exp(-3.0f * s)) / 0.95021296f;
            base = horizon + (zenith - horizon) * t;
        } else {
            const float t = smooth(clamp01(s / -0.7f)) * 0.8f;
            base = horizon + (ground - horizon) * t;
        }
        const bool clouds = el > 0.02f;
        const CloudAxis up = cloudAxis(9.0f * el, 9.2f);
        for (int i = 0; i < width; ++i) {
            const Vec3 dir{c * sinAz[std::size_t(i)], s, -c * cosAz[std::size_t(i)]};
            const float m = std::max(dot(dir, sunDir), 0.0f);
            const float w = 0.55f * fm::pow(m, 18.0f) + 0.12f * fm::pow(m, 3.0f);
            Vec3 color = base + (sun - base) * w;
            if (clouds) {
                float f = 0.0f;
                for (int k = 0; k < octaves; ++k) {
                    const Vec3 p{across[std::size_t(i)].at[k], up.at[k], depth.at[k]};
                    f = f + cloudWeights[k] * Noise::value(p, cloudSeeds[k]);
                }
                f = f / 0.9375f;
                const float gain = (1.0f - s) * std::max(f, 0.0f) * 0.05f;
                color = color + Vec3{gain, gain, gain};
            }
            canvas.set(i, j, color.x, color.y, color.z, 1.0f);
        }
    }
    return canvas.take();
}

Image backdrop(const Sky& palette) {
    constexpr int size = 512;
    const PixelHash hash(0x7AA9D2D3u);
    const Vec3 tint = display(palette.horizon + (palette.zenith - palette.horizon) * 0.35f);
    Canvas canvas(size, size);
    for (int j = 0; j < size; ++j) {
        const float y = (float(j) + 0.5f) / float(size) - 0.42f;
        for (int i = 0; i < size; ++i) {
            const float x = (float(i) + 0.5f) / float(size) - 0.5f;
            const float r = 1.6f * std::sqrt(y * y + 1.1f * (x * x));
            const float k = fm::pow(1.0f - std::min(r, 1.0f), 2.2f) * 0.13f + 0.028f;
            const float d = (hash(i, j) - 0.5f) * 0.006f;
            canvas.set(i, j, d + tint.x * k, d + tint.y * k, d + tint.z * k, 1.0f);
        }
    }
    return canvas.take();
}

} // namespace vesk::bonsai::Textures
