#pragma once

#include "platform/Sound.hpp"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace vesk {

// Plays the synthesised sounds on a worker thread of its own through libpulse-simple,
// which reaches PulseAudio and PipeWire alike. Without a sound server the worker finds no
// connection and the sound is dropped. A burst of requests keeps only a few, so a
// stalled server cannot make sounds pile up.
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
    void run();

    Output output_;
    std::map<std::string, std::vector<std::int16_t>, std::less<>> sounds_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<const std::pair<const std::string, std::vector<std::int16_t>>*> queue_;
    bool stopping_ = false;
    std::thread worker_; // started by the first sound
};

} // namespace vesk
