#pragma once

#include "core/runtime/SerialWorker.hpp"
#include "platform/Sound.hpp"

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace vesk {

// Plays the synthesised sounds on a worker thread of its own through libpulse-simple,
// which reaches PulseAudio and PipeWire alike and is loaded with the first sound. Without a
// sound server (or the library) the worker finds no connection and the sound is dropped. A
// burst of requests keeps only a few, so a stalled server cannot make sounds pile up.
class PulseSound final : public Sound {
  public:
    // Writes one sound and returns when it has been played (or could not be).
    using Output = std::function<void(std::string_view name, std::span<const std::int16_t> samples)>;

    PulseSound();
    explicit PulseSound(Output output);
    ~PulseSound() override;
    PulseSound(const PulseSound&) = delete;
    PulseSound& operator=(const PulseSound&) = delete;

    void play(std::string_view name) override;

    static constexpr std::size_t maxQueued = 3;

  private:
    // On the worker: each sound is synthesised the first time it plays, not at the start.
    const std::vector<std::int16_t>& samples(std::string_view name);

    Output output_;
    std::map<std::string, std::vector<std::int16_t>, std::less<>> sounds_;
    SerialWorker worker_{"vesk.sound"}; // last: joined before the rest goes
};

} // namespace vesk
