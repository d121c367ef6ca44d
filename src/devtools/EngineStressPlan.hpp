#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the renderer stress test asks of the engine, decided without one: its options from
// the command line, the cube count and kind of each request, and the memory it reports.
namespace vesk::EngineStressPlan {

struct Options {
    static constexpr double defaultSeconds = 30.0;
    static constexpr std::int64_t defaultMaxN = 200000;
    static constexpr double defaultInterval = 0.05;

    double seconds = defaultSeconds;
    std::int64_t maxN = defaultMaxN;
    double interval = defaultInterval;

    friend bool operator==(const Options&, const Options&) = default;
};

// The three optional values after "--stress-engine", or nothing when the word is absent.
// Words that do not read, a maxN below 1, a length below 0 and an interval that is not
// positive keep their defaults; infinite times too.
std::optional<Options> find(const std::vector<std::string>& words);

// u in 0…1 to a count spread evenly on a logarithmic scale from 1 to maxN.
std::int64_t cubeCount(double u, std::int64_t maxN);
// Every 20th request is animated, every 2nd when requests come half a second apart or more.
bool isAnimated(std::int64_t request, double interval);
// This process's resident memory in MB (2^20 bytes); 0 when it cannot be read.
double residentMegabytes();

} // namespace vesk::EngineStressPlan
