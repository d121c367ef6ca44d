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
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();
    }
    wake_.notify_all();
    if (worker_.joinable()) worker_.join();
}

void PulseSound::play(std::string_view name) {
    const auto sound = sounds_.find(name);
    if (sound == sounds_.end()) return;
    {
        std::lock_guard lock(mutex_);
        if (queue_.size() >= maxQueued) return;
        queue_.push_back(&*sound);
        if (!worker_.joinable()) worker_ = std::thread([this] { run(); });
    }
    wake_.notify_one();
}

void PulseSound::run() {
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_) return;
        const auto* sound = queue_.front();
        queue_.pop_front();
        lock.unlock();
        output_(sound->first, sound->second);
        lock.lock();
    }
}

} // namespace vesk
