#include "platform/PulseSound.hpp"

#include "platform/SoundSynth.hpp"

#include <algorithm>
#include <dlfcn.h>
#include <optional>
#include <pulse/error.h>
#include <pulse/simple.h>

namespace vesk {

namespace {

// The few calls of libpulse-simple that a sound makes.
struct PulseSimple {
    decltype(&pa_simple_new) open;
    decltype(&pa_simple_write) write;
    decltype(&pa_simple_drain) drain;
    decltype(&pa_simple_free) close;
};

template <class Function> Function symbol(void* library, const char* name) {
    return reinterpret_cast<Function>(dlsym(library, name));
}

// Loaded with the first sound and kept; nothing when the library is not installed.
const PulseSimple* pulseSimple() {
    static const std::optional<PulseSimple> loaded = []() -> std::optional<PulseSimple> {
        void* library = dlopen("libpulse-simple.so.0", RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) return std::nullopt;
        const PulseSimple calls{symbol<decltype(&pa_simple_new)>(library, "pa_simple_new"),
                                symbol<decltype(&pa_simple_write)>(library, "pa_simple_write"),
                                symbol<decltype(&pa_simple_drain)>(library, "pa_simple_drain"),
                                symbol<decltype(&pa_simple_free)>(library, "pa_simple_free")};
        if (!calls.open || !calls.write || !calls.drain || !calls.close) return std::nullopt;
        return calls;
    }();
    return loaded ? &*loaded : nullptr;
}

void playThroughPulse(std::string_view name, std::span<const std::int16_t> samples) {
    const PulseSimple* pulse = pulseSimple();
    if (pulse == nullptr) return;
    const pa_sample_spec format{PA_SAMPLE_S16LE, static_cast<std::uint32_t>(SoundSynth::sampleRate), 1};
    const std::string stream(name);
    int error = 0;
    // A connection per sound: nothing stays open, so an idle program costs the server nothing.
    pa_simple* connection = pulse->open(nullptr, "Vesk", PA_STREAM_PLAYBACK, nullptr, stream.c_str(), &format,
                                        nullptr, nullptr, &error);
    if (connection == nullptr) return;
    if (pulse->write(connection, samples.data(), samples.size_bytes(), &error) == 0)
        pulse->drain(connection, &error);
    pulse->close(connection);
}

} // namespace

PulseSound::PulseSound() : PulseSound(playThroughPulse) {}

PulseSound::PulseSound(Output output) : output_(std::move(output)) {}

PulseSound::~PulseSound() {
    // Sounds nobody waits for any more: only the one playing finishes.
    worker_.discardPending();
}

void PulseSound::play(std::string_view name) {
    const auto known = std::find(SoundSynth::names.begin(), SoundSynth::names.end(), name);
    if (known == SoundSynth::names.end()) return;
    worker_.post([this, name = *known] { output_(name, samples(name)); }, maxQueued);
}

const std::vector<std::int16_t>& PulseSound::samples(std::string_view name) {
    auto sound = sounds_.find(name);
    if (sound == sounds_.end()) sound = sounds_.emplace(name, SoundSynth::samples(name)).first;
    return sound->second;
}

} // namespace vesk
