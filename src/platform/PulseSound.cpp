#include "platform/PulseSound.hpp"

#include "platform/SoundSynth.hpp"

#include <pulse/error.h>
#include <pulse/simple.h>

namespace vesk {

namespace {

void playThroughPulse(std::string_view name, std::span<const std::int16_t> samples) {
    const pa_sample_spec format{PA_SAMPLE_S16LE, static_cast<std::uint32_t>(SoundSynth::sampleRate), 1};
    const std::string stream(name);
    int error = 0;
    // A connection per sound: nothing stays open, so an idle program costs the server nothing.
    pa_simple* connection = pa_simple_new(nullptr, "Vesk", PA_STREAM_PLAYBACK, nullptr, stream.c_str(),
                                          &format, nullptr, nullptr, &error);
    if (connection == nullptr) return;
    if (pa_simple_write(connection, samples.data(), samples.size_bytes(), &error) == 0)
        pa_simple_drain(connection, &error);
    pa_simple_free(connection);
}

} // namespace

PulseSound::PulseSound() : PulseSound(playThroughPulse) {}

PulseSound::PulseSound(Output output) : output_(std::move(output)) {
    for (const char* name : {"Glass", "Hero", "Pop"})
        sounds_.emplace(name, SoundSynth::samples(name));
}

PulseSound::~PulseSound() {
    // Sounds nobody waits for any more: only the one playing finishes.
    worker_.discardPending();
}

void PulseSound::play(std::string_view name) {
    const auto sound = sounds_.find(name);
    if (sound == sounds_.end()) return;
    worker_.post([this, &sound = *sound] { output_(sound.first, sound.second); }, maxQueued);
}

} // namespace vesk
