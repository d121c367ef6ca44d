#include "bonsai/VoxelDiorama.hpp"

#include "bonsai/CellMap.hpp"
#include "bonsai/Noise.hpp"
#include "bonsai/RNG.hpp"
#include "bonsai/VoxelGrower.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

namespace vesk::bonsai {

namespace {

constexpr float pi = 3.1415927f;
constexpr float twoPi = 6.2831855f;

// Noise salts of the diorama's fields, added to the tree seed's low 32 bits.
namespace field {
constexpr std::uint32_t wall = 99;
constexpr std::uint32_t soil = 102;
constexpr std::uint32_t slabEdge = 104;
constexpr std::uint32_t slabGrey = 105;
constexpr std::uint32_t grain = 107;
constexpr std::uint32_t moss = 120;
constexpr std::uint32_t mossTone = 122;
} // namespace field

Vec3 lerp(Vec3 a, Vec3 b, float t) {
    return a + (b - a) * t;
}

float sgn(float v) {
    return v > 0.0f ? 1.0f : (v < 0.0f ? -1.0f : 0.0f);
}

// sgn(c)·|c|^e: a superellipse's cosine or sine.
float superTrig(float c, float e) {
    return sgn(c) * fm::pow(std::abs(c), e);
}

// |x/a|^n + |z/b|^n, the superellipse measure of a cell (≤ 1 inside).
float superellipse(float x, float z, float a, float b, float n) {
    return fm::pow(std::abs(x / a), n) + fm::pow(std::abs(z / b), n);
}

float horizontalDistance(float dx, float dz) {
    return std::sqrt(dx * dx + dz * dz);
}

Vec3 mossGradient(float t) {
    const Vec3 dark = hex(0x3D5A26), mid = hex(0x4E6B2C), light = hex(0x7A9440);
    if (t <= 0.45f) return lerp(dark, mid, t / 0.45f);
    return lerp(mid, light, (t - 0.45f) / 0.55f);
}

class Builder {
  public:
    explicit Builder(const VoxelTree& tree, VoxelDiorama& out)
        : tree_(tree), out_(out), spec_(tree.pot),
          scene_(VoxelGrower::subSeed(tree.seed, VoxelGrower::salt::dioramaScene)),
          standRng_(VoxelGrower::subSeed(tree.seed, VoxelGrower::salt::dioramaStand)),
          seed32_(std::uint32_t(tree.seed)), h_(std::int32_t(spec_.height)) {
        occupied_.reserve(tree.cubes.size());
        for (const Cube& c : tree.cubes)
            occupied_.insert(cellKey(c.x, c.y, c.z));
    }

    void build() {
        sun();
        const std::int32_t reach = std::int32_t(std::ceil(std::max(spec_.a, spec_.b) * 1.2f)) + 1;
        wallAndSoil(reach);
        const float s1 = scaleAt(-1);
        const float ca = spec_.a * s1 - 1.2f, cb = spec_.b * s1 - 1.2f;
        moss(reach, ca, cb);
        stones(ca, cb);
        feet();
        const std::int32_t lowest = spec_.slate ? slab() : woodenStand();
        out_.floorY = lowest - 1;
        bounds();
    }

  private:
    float noise(Vec3 p, std::uint32_t salt) const { return Noise::value(p, seed32_ + salt); }

    // Adds a cube unless its cell holds the tree or an earlier diorama cube.
    void add(std::vector<Cube>& list, std::int32_t x, std::int32_t y, std::int32_t z, Vec3 color) {
        const CellKey key = cellKey(x, y, z);
        if (occupied_.contains(key) || !placed_.insert(key)) return;
        list.push_back(Cube{x, y, z, CubeKind::trunk, color});
    }

    void sun() {
        const float x = scene_.range(-0.2f, 0.2f) - 0.55f;
        const float z = scene_.range(-0.15f, 0.15f) + 0.45f;
        out_.sunDir = normalize({x, 0.62f, z});
    }

    // The relative size of the pot's wall at layer y (−H … 0); the top layer juts out as a rim.
    float scaleAt(std::int32_t y) const {
        const float t = float(y + h_) / float(std::max(h_, 1));
        float s = 0.0f;
        switch (spec_.shape) {
        case PotShape::oval:
        case PotShape::rect:
            s = 0.86f + 0.14f * t;
            break;
        case PotShape::drum:
            s = 0.9f + 0.12f * fm::sin(pi * t);
            break;
        case PotShape::bowl:
            s = 0.58f + 0.42f * fm::sin(pi * t / 2.0f);
            break;
        }
        if (y == 0) s = s + 0.05f;
        return s;
    }

    Vec3 wallColor(std::int32_t x, std::int32_t y, std::int32_t z) {
        const Glaze& glaze = spec_.glaze;
        const float amp = glaze.glazed ? 0.13f : 0.22f;
        const float fx = float(x), fy = float(y), fz = float(z);
        const float f = 1.0f + amp * noise({0.45f * fx, 0.45f * fy, 0.45f * fz}, field::wall);
        const float j = scene_.range(0.95f, 1.04f);
        Vec3 c = glaze.color * f * j;
        if (glaze.glazed && y == 0) {
            const Vec3 lit = c * 1.3f + Vec3{0.03f, 0.03f, 0.025f};
            c = c + (lit - c) * 0.5f;
        }
        if (glaze.glazed && y == -h_) c = c * 0.8f;
        return c;
    }

    Vec3 soilColor(std::int32_t x, std::int32_t z) {
        const float k = noise({0.9f * float(x), 0.0f, 0.9f * float(z)}, field::soil) * 0.5f + 0.5f;
        const float j = scene_.range(0.9f, 1.08f);
        return lerp(hex(0x3A2A20), hex(0x5A4636), k) * j;
    }

    void wallAndSoil(std::int32_t reach) {
        const float n = spec_.n;
        for (std::int32_t y = -h_; y <= 0; ++y) {
            const float s = scaleAt(y);
            const float A = spec_.a * s, B = spec_.b * s;
            if (!(A > 0.0f && B > 0.0f)) continue;
            const float innerA = A - 1.2f, innerB = B - 1.2f;
            const bool hollow = innerA > 0.0f && innerB > 0.0f;
            for (std::int32_t x = -reach; x <= reach; ++x)
                for (std::int32_t z = -reach; z <= reach; ++z) {
                    if (!(superellipse(float(x), float(z), A, B, n) <= 1.0f)) continue;
                    const bool cavity = hollow && superellipse(float(x), float(z), innerA, innerB, n) <= 1.0f;
                    if (!cavity || y == -h_) {
                        add(out_.pot, x, y, z, wallColor(x, y, z));
                    } else if (y == -2 || y == -1) {
                        add(out_.ground, x, y, z, soilColor(x, z));
                    }
                }
        }
    }

    void moss(std::int32_t reach, float ca, float cb) {
        const float ma = ca - 0.3f, mb = cb - 0.3f;
        if (!(ma > 0.0f && mb > 0.0f)) return;
        const float r0 = std::max(0.28f * spec_.a, 1.5f);
        for (std::int32_t x = -reach; x <= reach; ++x)
            for (std::int32_t z = -reach; z <= reach; ++z) {
                if (!(superellipse(float(x), float(z), ma, mb, spec_.n) <= 1.0f)) continue;
                const float fx = float(x), fz = float(z);
                const float d = horizontalDistance(float(x - tree_.base.x), float(z - tree_.base.z));
                const float m = noise({0.32f * fx, 1.7f, 0.32f * fz}, field::moss);
                if (d >= r0 && m <= 0.12f) continue;
                // Moss always grows right around the trunk.
                const float v = d < r0 ? m + 0.35f : m;
                const float t = noise({0.8f * fx, 4.0f, 0.8f * fz}, field::mossTone) * 0.5f + 0.5f;
                const Vec3 tone = mossGradient(t);
                const Vec3 color =
                    v > 0.12f ? tone * scene_.range(0.9f, 1.08f) : lerp(hex(0x3A2A20), hex(0x5A4636), 0.6f);
                add(out_.ground, x, 0, z, color);
                if (v > 0.42f && scene_.chance(0.4f)) add(out_.ground, x, 1, z, tone * 1.08f);
            }
    }

    void stones(float ca, float cb) {
        const std::int64_t count = tree_.style == Style::bunjin ? 1 : scene_.integer(3);
        const float e = 2.0f / spec_.n;
        for (std::int64_t i = 0; i < count; ++i) {
            const float theta = scene_.range(0.0f, twoPi);
            const float fx = scene_.range(0.45f, 0.75f);
            const float fz = scene_.range(0.45f, 0.75f);
            const float X = ca * fx * superTrig(fm::cos(theta), e);
            const float Z = cb * fz * superTrig(fm::sin(theta), e);
            // No stone right against the trunk.
            if (horizontalDistance(X - float(tree_.base.x), Z - float(tree_.base.z)) <
                std::max(0.35f * spec_.a, 2.5f))
                continue;
            const std::int32_t r = std::int32_t(i == 0 ? std::ceil(std::max(0.1f * spec_.a, 1.0f))
                                                       : std::ceil(std::max(0.06f * spec_.a, 0.7f)));
            const float g0 = scene_.range(0.34f, 0.55f);
            const std::int32_t cx = roundToInt(X), cz = roundToInt(Z);
            const float fr = float(r);
            for (std::int32_t dx = -r; dx <= r; ++dx)
                for (std::int32_t dy = 0; dy <= r; ++dy)
                    for (std::int32_t dz = -r; dz <= r; ++dz) {
                        const float qx = float(dx) / fr, qy = float(dy) / (0.75f * fr),
                                    qz = float(dz) / (1.2f * fr);
                        const std::int32_t x = cx + dx, z = cz + dz;
                        if (!(std::sqrt(qx * qx + qy * qy + qz * qz) <= 1.0f)) continue;
                        if (!(superellipse(float(x), float(z), ca, cb, spec_.n) <= 1.0f)) continue;
                        const float g = g0 * scene_.range(0.85f, 1.1f);
                        add(out_.ground, x, dy, z,
                            {fm::pow(g, 2.2f), fm::pow(0.97f * g, 2.2f), fm::pow(0.92f * g, 2.2f)});
                    }
        }
    }

    void feet() {
        static constexpr float three[] = {1.5707963f, 3.6647964f, 5.7597961f};
        static constexpr float four[] = {0.7853981f, 2.3561945f, 3.9269905f, 5.4977870f};
        const bool round = spec_.shape == PotShape::drum || spec_.shape == PotShape::bowl;
        const std::span<const float> angles =
            round ? std::span<const float>(three) : std::span<const float>(four);
        const float s = scaleAt(-h_);
        const float e = 2.0f / spec_.n;
        const std::int32_t y = -h_ - 1;
        const Vec3 color = spec_.glaze.color * 0.75f;
        for (const float angle : angles) {
            const float x0 = 0.72f * spec_.a * s * superTrig(fm::cos(angle), e);
            const float z0 = 0.7f * spec_.b * s * superTrig(fm::sin(angle), e);
            const std::int32_t X = roundToInt(x0), Z = roundToInt(z0);
            add(out_.pot, X, y, Z, color);
            // Wide pots get feet two cubes wide, the second towards the axis.
            if (spec_.a > 6.0f) add(out_.pot, x0 > 0.0f ? X - 1 : X + 1, y, Z, color);
        }
    }

    // A slate slab one layer thick; returns its layer.
    std::int32_t slab() {
        const float ra = 1.3f * spec_.a + 1.5f, rb = 1.4f * spec_.b + 1.5f;
        const std::int32_t reach = truncToInt(1.15f * std::max(ra, rb)) + 1;
        const std::int32_t y = -h_ - 2;
        for (std::int32_t x = -reach; x <= reach; ++x)
            for (std::int32_t z = -reach; z <= reach; ++z) {
                const float fx = float(x), fz = float(z);
                const float phi = fm::atan2(fz / rb, fx / ra);
                const float e =
                    1.0f + 0.08f * noise({2.0f * fm::cos(phi), 2.0f * fm::sin(phi), 0.5f}, field::slabEdge);
                const float ea = ra * e, eb = rb * e;
                if (!(ea > 0.0f && eb > 0.0f && superellipse(fx, fz, ea, eb, 2.6f) <= 1.0f)) continue;
                const float j = standRng_.range(0.85f, 1.15f);
                const float g =
                    j * (1.0f + 0.25f * noise({0.6f * fx, 0.0f, 0.6f * fz}, field::slabGrey)) * 0.035f;
                add(out_.stand, x, y, z, {g, 1.02f * g, 1.06f * g});
            }
        return y;
    }

    // A board on four legs joined by rails; returns the lowest layer.
    std::int32_t woodenStand() {
        const bool hanging = tree_.style == Style::hanKengai;
        const float widen = hanging ? 1.35f : 1.3f, deepen = hanging ? 1.35f : 1.4f;
        const std::int32_t hx = roundToInt(widen * spec_.a), hz = roundToInt(deepen * spec_.b);
        // A cascade hangs below its pot, so its stand is tall.
        const std::int32_t legs = hanging ? std::max(truncToInt(0.42f * tree_.height), 4) : h_ / 2 + 1;
        const Vec3 dark = hex(0x4A2A18), light = hex(0x7A4A2C);
        const std::int32_t board = -h_ - 2;

        for (std::int32_t x = -(hx + 1); x <= hx + 1; ++x)
            for (std::int32_t z = -(hz + 1); z <= hz + 1; ++z) {
                const float j = standRng_.range(0.92f, 1.06f);
                const float w = noise({0.15f * float(x), 0.0f, 1.3f * float(z)}, field::grain);
                add(out_.stand, x, board, z, lerp(dark, light, w * 0.5f + 0.5f) * j);
            }
        for (const std::int32_t sx : {-1, 1})
            for (const std::int32_t sz : {-1, 1})
                for (std::int32_t y = board - legs; y <= board - 1; ++y) {
                    const float j = standRng_.range(0.9f, 1.05f);
                    add(out_.stand, sx * hx, y, sz * hz, dark * j);
                }
        const std::int32_t rail = board - 1;
        const Vec3 railColor = dark * 0.95f;
        for (std::int32_t x = -hx; x <= hx; ++x) {
            add(out_.stand, x, rail, -hz, railColor);
            add(out_.stand, x, rail, hz, railColor);
        }
        for (std::int32_t z = -hz; z <= hz; ++z) {
            add(out_.stand, -hx, rail, z, railColor);
            add(out_.stand, hx, rail, z, railColor);
        }
        return board - legs;
    }

    void bounds() {
        constexpr auto big = std::numeric_limits<std::int64_t>::max();
        constexpr auto small = std::numeric_limits<std::int64_t>::min();
        Int3 lo{big, big, big}, hi{small, small, small};
        const auto include = [&](const Cube& c) {
            lo = {std::min<std::int64_t>(lo.x, c.x), std::min<std::int64_t>(lo.y, c.y),
                  std::min<std::int64_t>(lo.z, c.z)};
            hi = {std::max<std::int64_t>(hi.x, c.x), std::max<std::int64_t>(hi.y, c.y),
                  std::max<std::int64_t>(hi.z, c.z)};
        };
        for (const auto* list : {&out_.pot, &out_.ground, &out_.stand})
            for (const Cube& c : *list) {
                include(c);
                auto [it, fresh] = out_.top.try_emplace(cellKey(c.x, 0, c.z), c.y);
                if (!fresh) it->second = std::max(it->second, c.y);
            }
        for (const Cube& c : tree_.cubes)
            include(c);
        out_.lo = lo;
        out_.hi = hi;
        out_.staticGrid = VoxelGrid(lo, hi);
        for (const auto* list : {&out_.pot, &out_.ground, &out_.stand})
            for (const Cube& c : *list)
                out_.staticGrid.mark(c);
    }

    const VoxelTree& tree_;
    VoxelDiorama& out_;
    const PotSpec& spec_;
    RNG scene_;    // sun, pot, soil, moss and stones
    RNG standRng_; // the stand only
    std::uint32_t seed32_;
    std::int32_t h_; // the pot's height
    CellSet occupied_;
    CellSet placed_;
};

} // namespace

VoxelDiorama::VoxelDiorama(const VoxelTree& tree) {
    Builder(tree, *this).build();
}

} // namespace vesk::bonsai
