#include "platform/SoundSynth.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vesk::SoundSynth {

namespace {

constexpr double twoPi = 2 * std::numbers::pi;
// Half of full scale leaves room for the partials to add up without clipping.
constexpr double peak = 0.5;
constexpr double attackSeconds = 0.004;

struct Partial {
    double frequency;
    double gain;
    double decayPerSecond;
};

// One struck tone: a few decaying sine partials with a short attack against clicks.
void addTone(std::vector<double>& out, double startSeconds, double seconds,
             std::initializer_list<Partial> partials) {
    const auto first = static_cast<std::size_t>(startSeconds * sampleRate);
    const auto count = static_cast<std::size_t>(seconds * sampleRate);
    if (out.size() < first + count) out.resize(first + count, 0.0);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double attack = std::min(t / attackSeconds, 1.0);
        double value = 0;
        for (const Partial& p : partials)
            value += p.gain * std::exp(-p.decayPerSecond * t) * std::sin(twoPi * p.frequency * t);
        out[first + i] += attack * value;
    }
}

std::vector<double> glass() {
    std::vector<double> out;
    addTone(out, 0, 0.7, {{1568.0, 0.6, 6.0}, {3136.0, 0.25, 9.0}, {4704.0 * 1.003, 0.15, 14.0}});
    return out;
}

std::vector<double> hero() {
    std::vector<double> out;
    const double notes[] = {523.25, 659.25, 783.99, 1046.5};
    for (std::size_t i = 0; i < std::size(notes); ++i)
        addTone(out, 0.085 * static_cast<double>(i), 0.4, {{notes[i], 0.55, 7.0}, {notes[i] * 2, 0.2, 11.0}});
    return out;
}

std::vector<double> pop() {
    // A sine whose pitch falls quickly, integrated as a phase so that the sweep stays smooth.
    const auto count = static_cast<std::size_t>(0.09 * sampleRate);
    std::vector<double> out(count);
    double phase = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double frequency = 320.0 + 620.0 * std::exp(-t * 45.0);
        phase += twoPi * frequency / sampleRate;
        out[i] = std::min(t / attackSeconds, 1.0) * std::exp(-t * 38.0) * std::sin(phase);
    }
    return out;
}

std::vector<std::int16_t> toPcm(const std::vector<double>& wave) {
    double loudest = 0;
    for (double v : wave)
        loudest = std::max(loudest, std::abs(v));
    const double scale = loudest > 0 ? peak * 32767.0 / loudest : 0;
    // The last few milliseconds fade to silence so that the stream ends without a click.
    const std::size_t fade = std::min<std::size_t>(wave.size(), sampleRate / 200);
    std::vector<std::int16_t> pcm(wave.size());
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const std::size_t left = wave.size() - i;
        const double tail = left < fade ? static_cast<double>(left - 1) / static_cast<double>(fade) : 1.0;
        pcm[i] = static_cast<std::int16_t>(std::lround(wave[i] * scale * tail));
    }
    return pcm;
}

} // namespace

std::vector<std::int16_t> samples(std::string_view name) {
    if (name == "Glass") return toPcm(glass());
    if (name == "Hero") return toPcm(hero());
    if (name == "Pop") return toPcm(pop());
    return {};
}

} // namespace vesk::SoundSynth
