#include "bonsai/Species.hpp"

#include <initializer_list>

namespace vesk::bonsai {

namespace {

std::vector<Vec3> colors(std::initializer_list<std::uint32_t> codes) {
    std::vector<Vec3> out;
    out.reserve(codes.size());
    for (std::uint32_t code : codes)
        out.push_back(hex(code));
    return out;
}

Glaze makeGlaze(std::uint32_t color, float roughness, bool glazed) {
    return {hex(color), roughness, glazed};
}

Sky makeSky(std::uint32_t zenith, std::uint32_t horizon, std::uint32_t ground, std::uint32_t sun,
            float intensity, float ambient) {
    return {hex(zenith), hex(horizon), hex(ground), hex(sun), intensity, ambient};
}

using enum Style;
using L = LeafShape;

} // namespace

// Function-local statics: built once on first use, safely even when two threads ask at once.
const Glaze& Species::celadon() {
    static const Glaze g = makeGlaze(0x8FAE9A, 0.18f, true);
    return g;
}
const Glaze& Species::cobalt() {
    static const Glaze g = makeGlaze(0x2C4A7A, 0.15f, true);
    return g;
}
const Glaze& Species::cream() {
    static const Glaze g = makeGlaze(0xE6DDC8, 0.22f, true);
    return g;
}
const Glaze& Species::oxblood() {
    static const Glaze g = makeGlaze(0x6E1D1A, 0.16f, true);
    return g;
}
const Glaze& Species::namako() {
    static const Glaze g = makeGlaze(0x4F6E86, 0.2f, true);
    return g;
}
const Glaze& Species::terracotta() {
    static const Glaze g = makeGlaze(0x6B4030, 0.85f, false);
    return g;
}
const Glaze& Species::umber() {
    static const Glaze g = makeGlaze(0x3D2C24, 0.8f, false);
    return g;
}
const Glaze& Species::slate() {
    static const Glaze g = makeGlaze(0x3A3B3E, 0.75f, false);
    return g;
}
const Glaze& Species::ivory() {
    static const Glaze g = makeGlaze(0xF1EBDD, 0.2f, true);
    return g;
}
const Glaze& Species::moss() {
    static const Glaze g = makeGlaze(0x5C6B45, 0.25f, true);
    return g;
}

const Species& Species::maple() {
    static const Species s{
        .name = "Japanese Maple",
        .japanese = "Momiji",
        .leaf = L::maple,
        .leafColors = colors({0xB8231C, 0xD1381F, 0x9C1A18, 0xE25A26, 0xEE8A34, 0x7C1414}),
        .secondary = std::nullopt,
        .secondaryColors = {},
        .secondaryRatio = 0.0f,
        .leafScale = 1.0f,
        .leafDensity = 1.0f,
        .barkDark = hex(0x3E3935),
        .barkLight = hex(0x8E877F),
        .barkRough = 0.55f,
        .lenticels = false,
        .tropism = 0.12f,
        .deadwood = false,
        .racemes = false,
        .styles = {moyogi, shakan, hokidachi, fukinagashi, moyogi},
        .glazes = {cream(), cobalt(), namako(), ivory(), celadon()},
        .sky = makeSky(0xC9A98E, 0xF3E2CE, 0xC7AE95, 0xFFD7A8, 1500.0f, 1.25f),
        .fallRate = 1.4f,
        .fallShape = L::maple,
        .fallColors = colors({0xC62A1E, 0xE0652A, 0x9C1A18}),
        .fallScale = 1.0f,
        .glow = 0.07f,
    };
    return s;
}

const Species& Species::sakura() {
    static const Species s{
        .name = "Cherry Blossom",
        .japanese = "Sakura",
        .leaf = L::blossom,
        .leafColors = colors({0xF7C3D2, 0xF3AFC4, 0xFBD9E3, 0xEE9DB6, 0xFCEBF0}),
        .secondary = L::smallLeaf,
        .secondaryColors = colors({0x7FA35A, 0x9BBF6A, 0x6B8F48}),
        .secondaryRatio = 0.14f,
        .leafScale = 1.05f,
        .leafDensity = 1.5f,
        .barkDark = hex(0x2E1D1A),
        .barkLight = hex(0x6A463C),
        .barkRough = 0.5f,
        .lenticels = true,
        .tropism = 0.08f,
        .deadwood = false,
        .racemes = false,
        .styles = {moyogi, shakan, hanKengai, hokidachi},
        .glazes = {cream(), celadon(), cobalt(), ivory(), namako()},
        .sky = makeSky(0xCBCFE8, 0xF7E8EC, 0xE0C9D0, 0xFFF0E6, 1450.0f, 1.35f),
        .fallRate = 5.0f,
        .fallShape = L::blossom,
        .fallColors = colors({0xF7C3D2, 0xFBD9E3, 0xF3AFC4}),
        .fallScale = 0.6f,
        .glow = 0.2f,
    };
    return s;
}

const Species& Species::ginkgo() {
    static const Species s{
        .name = "Ginkgo",
        .japanese = "Ich\u014D",
        .leaf = L::ginkgo,
        .leafColors = colors({0xE3B21F, 0xF0C836, 0xD49C18, 0xF5D766, 0xC49A1C, 0xB5BA3A}),
        .secondary = std::nullopt,
        .secondaryColors = {},
        .secondaryRatio = 0.0f,
        .leafScale = 0.95f,
        .leafDensity = 1.0f,
        .barkDark = hex(0x45403A),
        .barkLight = hex(0x8F877A),
        .barkRough = 0.8f,
        .lenticels = false,
        .tropism = 0.2f,
        .deadwood = false,
        .racemes = false,
        .styles = {chokkan, moyogi, hokidachi},
        .glazes = {cobalt(), namako(), oxblood(), cream()},
        .sky = makeSky(0xB4CCE2, 0xF2EAD6, 0xD6C8AB, 0xFFE7BA, 1550.0f, 1.25f),
        .fallRate = 2.0f,
        .fallShape = L::ginkgo,
        .fallColors = colors({0xE9B923, 0xF3D14E, 0xD49C18}),
        .fallScale = 1.0f,
        .glow = 0.07f,
    };
    return s;
}

const Species& Species::juniper() {
    static const Species s{
        .name = "Shimpaku Juniper",
        .japanese = "Shinpaku",
        .leaf = L::scale,
        .leafColors = colors({0x3E6B4D, 0x4B7B57, 0x5A8B63, 0x345F46, 0x6C9B6E}),
        .secondary = std::nullopt,
        .secondaryColors = {},
        .secondaryRatio = 0.0f,
        .leafScale = 1.15f,
        .leafDensity = 1.3f,
        .barkDark = hex(0x3B2720),
        .barkLight = hex(0x8A5E4C),
        .barkRough = 1.3f,
        .lenticels = false,
        .tropism = 0.22f,
        .deadwood = true,
        .racemes = false,
        .styles = {moyogi, hanKengai, fukinagashi, bunjin, shakan},
        .glazes = {terracotta(), umber(), slate(), celadon()},
        .sky = makeSky(0x93A6B0, 0xDDE3E1, 0xB4BDBA, 0xF3F2EA, 1400.0f, 1.35f),
        .fallRate = 0.0f,
        .fallShape = L::scale,
        .fallColors = colors({0x7B6A4A}),
        .fallScale = 1.0f,
        .glow = 0.07f,
    };
    return s;
}

const Species& Species::pine() {
    static const Species s{
        .name = "Japanese Black Pine",
        .japanese = "Kuromatsu",
        .leaf = L::needles,
        .leafColors = colors({0x1F4B35, 0x2B5B3E, 0x366C48, 0x234F3B, 0x4A7C4E}),
        .secondary = std::nullopt,
        .secondaryColors = {},
        .secondaryRatio = 0.0f,
        .leafScale = 1.15f,
        .leafDensity = 0.9f,
        .barkDark = hex(0x2A2522),
        .barkLight = hex(0x6E625A),
        .barkRough = 1.5f,
        .lenticels = false,
        .tropism = 0.35f,
        .deadwood = false,
        .racemes = false,
        .styles = {chokkan, moyogi, bunjin, shakan, fukinagashi},
        .glazes = {umber(), slate(), terracotta()},
        .sky = makeSky(0x2B3A55, 0xE7B797, 0x5E5250, 0xFFBE8C, 1700.0f, 1.0f),
        .fallRate = 0.0f,
        .fallShape = L::needles,
        .fallColors = colors({0x8A6F45}),
        .fallScale = 1.0f,
        .glow = 0.07f,
    };
    return s;
}

const Species& Species::zelkova() {
    static const Species s{
        .name = "Japanese Zelkova",
        .japanese = "Keyaki",
        .leaf = L::oval,
        .leafColors = colors({0x5C8C3C, 0x74A246, 0x8BB659, 0x4D7833, 0xA2C464}),
        .secondary = std::nullopt,
        .secondaryColors = {},
        .secondaryRatio = 0.0f,
        .leafScale = 0.9f,
        .leafDensity = 1.1f,
        .barkDark = hex(0x57524C),
        .barkLight = hex(0xA29B90),
        .barkRough = 0.5f,
        .lenticels = false,
        .tropism = 0.18f,
        .deadwood = false,
        .racemes = false,
        .styles = {hokidachi, hokidachi, moyogi, chokkan},
        .glazes = {umber(), celadon(), cream(), moss()},
        .sky = makeSky(0xC6DDCF, 0xF3F1E3, 0xD2D0BA, 0xFFF5DE, 1500.0f, 1.3f),
        .fallRate = 0.6f,
        .fallShape = L::oval,
        .fallColors = colors({0x9AB85A, 0xC9B24A}),
        .fallScale = 1.0f,
        .glow = 0.07f,
    };
    return s;
}

const Species& Species::wisteria() {
    static const Species s{
        .name = "Wisteria",
        .japanese = "Fuji",
        .leaf = L::smallLeaf,
        .leafColors = colors({0x6A9848, 0x83B058, 0x5A843F, 0x98BE68}),
        .secondary = L::floret,
        .secondaryColors = colors({0x8C6BC8, 0xA88AD8, 0xC4AEE8, 0xE7DDF6}),
        .secondaryRatio = 0.0f,
        .leafScale = 0.85f,
        .leafDensity = 1.0f,
        .barkDark = hex(0x453B35),
        .barkLight = hex(0x8A7D72),
        .barkRough = 0.9f,
        .lenticels = false,
        .tropism = 0.02f,
        .deadwood = false,
        .racemes = true,
        .styles = {moyogi, hanKengai, shakan},
        .glazes = {ivory(), celadon(), namako(), cream()},
        .sky = makeSky(0x3E3860, 0xD2BEDD, 0x6F6283, 0xFFE9DA, 1550.0f, 1.05f),
        .fallRate = 3.0f,
        .fallShape = L::floret,
        .fallColors = colors({0xA88AD8, 0xC4AEE8, 0x8C6BC8}),
        .fallScale = 0.55f,
        .glow = 0.12f,
    };
    return s;
}

const std::vector<Species>& Species::all() {
    static const std::vector<Species> list{maple(), sakura(),  ginkgo(),  juniper(),
                                           pine(),  zelkova(), wisteria()};
    return list;
}

} // namespace vesk::bonsai
