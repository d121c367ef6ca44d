#include "platform/PulseSound.hpp"
#include "platform/SoundSynth.hpp"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <future>
#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(SoundSynthTest, TheThreeSoundsAreShortDistinctAndClickFree) {
    std::vector<std::vector<std::int16_t>> all;
    for (const char* name : {"Glass", "Hero", "Pop"}) {
        const auto pcm = SoundSynth::samples(name);
        ASSERT_FALSE(pcm.empty()) << name;
        EXPECT_LT(pcm.size(), static_cast<std::size_t>(SoundSynth::sampleRate))
            << name << " lasts under a second";
        const auto [low, high] = std::minmax_element(pcm.begin(), pcm.end());
        const int loudest = std::max(-static_cast<int>(*low), static_cast<int>(*high));
        EXPECT_GT(loudest, 12000) << name;
        EXPECT_LT(loudest, 20000) << name << " keeps headroom";
        EXPECT_LT(std::abs(pcm.front()), 500) << name << " starts softly";
        EXPECT_EQ(pcm.back(), 0) << name << " ends in silence";
        all.push_back(pcm);
    }
    EXPECT_NE(all[0], all[1]);
    EXPECT_NE(all[1], all[2]);
    EXPECT_LT(all[2].size(), all[0].size()) << "Pop is the shortest";
    EXPECT_TRUE(SoundSynth::samples("Basso").empty());
    EXPECT_EQ(SoundSynth::samples("Pop"), all[2]) << "the same every time";
}

// An output that holds the worker inside the first sound until the test lets it go.
struct GatedOutput {
    std::mutex mutex;
    std::condition_variable changed;
    bool entered = false;
    std::vector<std::string> played;
    std::promise<void> gate;
    std::shared_future<void> open = gate.get_future().share();

    PulseSound::Output output() {
        return [this](std::string_view name, std::span<const std::int16_t> samples) {
            EXPECT_FALSE(samples.empty());
            {
                std::lock_guard lock(mutex);
                entered = true;
                changed.notify_all();
            }
            open.wait();
            std::lock_guard lock(mutex);
            played.emplace_back(name);
            changed.notify_all();
        };
    }
    bool waitUntil(const std::function<bool()>& done) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(10), done);
    }
};

TEST(PulseSoundTest, PlayingReturnsAtOnceAndABurstKeepsOnlyAFew) {
    GatedOutput gated;
    PulseSound sound(gated.output());
    sound.play("Glass");
    ASSERT_TRUE(gated.waitUntil([&] { return gated.entered; }));
    // The worker is stuck in the first sound; none of these calls may wait for it.
    for (const char* name : {"Hero", "Trumpet", "Pop", "Glass", "Hero", "Pop", "Glass"})
        sound.play(name);
    gated.gate.set_value();
    ASSERT_TRUE(gated.waitUntil([&] { return gated.played.size() == 1 + PulseSound::maxQueued; }));
    EXPECT_EQ(gated.played, (std::vector<std::string>{"Glass", "Hero", "Pop", "Glass"}));
}

TEST(PulseSoundTest, WithoutASoundServerNothingPlaysAndNothingBreaks) {
    // A server address that cannot exist also keeps the client from spawning a daemon.
    const char* old = std::getenv("PULSE_SERVER");
    const std::string saved = old ? old : "";
    ::setenv("PULSE_SERVER", "unix:/nonexistent/vesk-test/native", 1);
    {
        PulseSound sound;
        sound.play("Glass");
        sound.play("Hero");
        sound.play("Pop");
    }
    if (old)
        ::setenv("PULSE_SERVER", saved.c_str(), 1);
    else
        ::unsetenv("PULSE_SERVER");
}

} // namespace
} // namespace vesk
