#pragma once

#include "bonsai/Math.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vesk::bonsai {

// The case order of these enumerations matters: the generator indexes tables and draws by it.

// Training style.
enum class Style : std::uint8_t { chokkan, moyogi, shakan, fukinagashi, bunjin, hanKengai, hokidachi };
inline constexpr Style allStyles[] = {Style::chokkan, Style::moyogi,    Style::shakan,   Style::fukinagashi,
                                      Style::bunjin,  Style::hanKengai, Style::hokidachi};

enum class LeafShape : std::uint8_t { maple, blossom, ginkgo, oval, needles, scale, floret, smallLeaf };

enum class PotShape : std::uint8_t { oval, rect, drum, bowl };

// A species' palette of sky and light.
struct Sky {
    Vec3 zenith;
    Vec3 horizon;
    Vec3 ground;
    Vec3 sun;
    float sunIntensity = 0.0f;
    float ambient = 0.0f;

    friend bool operator==(const Sky&, const Sky&) = default;
};

// A pot glaze; unglazed ones are bare clay.
struct Glaze {
    Vec3 color;
    float roughness = 0.0f;
    bool glazed = false;

    friend bool operator==(const Glaze&, const Glaze&) = default;
};

struct Species {
    std::string name;     // English, shown to the user
    std::string japanese; // in Latin letters (UTF-8), shown to the user
    LeafShape leaf = LeafShape::maple;
    std::vector<Vec3> leafColors;
    std::optional<LeafShape> secondary;
    std::vector<Vec3> secondaryColors;
    float secondaryRatio = 0.0f;
    float leafScale = 1.0f;
    float leafDensity = 1.0f;
    Vec3 barkDark;
    Vec3 barkLight;
    float barkRough = 0.0f;
    bool lenticels = false;
    float tropism = 0.0f;
    bool deadwood = false;
    bool racemes = false;
    std::vector<Style> styles; // a style listed twice is twice as likely
    std::vector<Glaze> glazes;
    Sky sky;
    float fallRate = 0.0f;
    LeafShape fallShape = LeafShape::maple;
    std::vector<Vec3> fallColors;
    float fallScale = 1.0f;
    float glow = 0.0f;

    friend bool operator==(const Species&, const Species&) = default;

    // The seven species in the order seeds index them.
    static const std::vector<Species>& all();

    static const Species& maple();
    static const Species& sakura();
    static const Species& ginkgo();
    static const Species& juniper();
    static const Species& pine();
    static const Species& zelkova();
    static const Species& wisteria();

    static const Glaze& celadon();
    static const Glaze& cobalt();
    static const Glaze& cream();
    static const Glaze& oxblood();
    static const Glaze& namako();
    static const Glaze& terracotta();
    static const Glaze& umber();
    static const Glaze& slate();
    static const Glaze& ivory();
    static const Glaze& moss();
};

} // namespace vesk::bonsai
