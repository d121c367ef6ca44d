#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace vesk {

// Our own sounds, synthesised rather than shipped: mono 16-bit PCM at 44.1 kHz.
namespace SoundSynth {

inline constexpr int sampleRate = 44100;
inline constexpr std::array<std::string_view, 3> names{"Glass", "Hero", "Pop"};

// "Glass": a bright bell for the end of a focus phase. "Hero": a rising arpeggio for the
// end of a break. "Pop": a short drop in pitch for a growth. Empty for any other name.
std::vector<std::int16_t> samples(std::string_view name);

} // namespace SoundSynth

} // namespace vesk
