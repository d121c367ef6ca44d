#include "devtools/EngineStressPlan.hpp"

#include "devtools/WordValues.hpp"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <unistd.h>

namespace vesk::EngineStressPlan {

std::optional<Options> find(const std::vector<std::string>& words) {
    using namespace WordValues;
    if (std::find(words.begin(), words.end(), "--stress-engine") == words.end()) return std::nullopt;
    const auto word = [&](std::size_t distance) { return after(words, "--stress-engine", distance); };
    const auto number = [&](std::size_t distance) {
        const auto w = word(distance);
        return w ? finiteDouble(*w) : std::nullopt;
    };
    // A length of 0 ends at the first report; one below 0 means nothing. An interval of 0 or
    // below would spin the timers, and a maxN below 1 has no logarithm.
    Options options;
    const auto seconds = number(1);
    options.seconds = seconds && *seconds >= 0.0 ? *seconds : Options::defaultSeconds;
    const auto w = word(2);
    const auto n = w ? integer(*w) : std::nullopt;
    options.maxN = n && *n >= 1 ? *n : Options::defaultMaxN;
    const auto interval = number(3);
    options.interval = interval && *interval > 0.0 ? *interval : Options::defaultInterval;
    return options;
}

std::int64_t cubeCount(double u, std::int64_t maxN) {
    const double n = std::exp(std::clamp(u, 0.0, 1.0) * std::log(double(maxN)));
    return std::clamp<std::int64_t>(std::int64_t(n), 1, maxN);
}

bool isAnimated(std::int64_t request, double interval) {
    const std::int64_t k = interval >= 0.5 ? 2 : 20;
    return request % k == 0;
}

double residentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long long pages = 0, resident = 0;
    if (!(statm >> pages >> resident)) return 0.0;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

} // namespace vesk::EngineStressPlan
