#include "devtools/FrameSchedule.hpp"

#include "bonsai/VoxelGrower.hpp"
#include "devtools/WordValues.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vesk {

namespace {

int side(std::int64_t value) {
    return int(std::clamp<std::int64_t>(value, 1, FrameSchedule::maxSide));
}

// Counts beyond the generator's limit all show the same tree, and the double → integer
// conversion of a huge or NaN count would be undefined.
std::int64_t cubeCount(double n) {
    if (!(n >= 1.0)) return 1;
    return std::int64_t(std::min(n, double(bonsai::VoxelGrower::maxCubes)));
}

} // namespace

FrameSchedule::FrameSchedule(const std::vector<std::string>& words) {
    using namespace WordValues;
    const auto word = [&](std::string_view name, std::size_t distance = 1) {
        return after(words, name, distance);
    };
    const auto readInteger = [&](std::string_view name, std::int64_t fallback) {
        const auto w = word(name);
        return w ? integer(*w).value_or(fallback) : fallback;
    };
    const auto readFloat = [&](std::string_view name, float fallback) {
        const auto w = word(name);
        return w ? finiteFloat(*w).value_or(fallback) : fallback;
    };

    if (const auto w = word("--render-frames")) folder = std::string(*w);
    if (const auto w = word("--seed")) seed = unsignedInteger(*w).value_or(seed);
    frames = readInteger("--frames", frames);
    from = readInteger("--from", from);
    to = readInteger("--to", to);
    const std::int64_t w = readInteger("--size", width);
    const auto h = word("--size", 2);
    const std::int64_t hv = h ? integer(*h).value_or(w) : w;
    width = side(w);
    height = side(hv);
    yaw0 = readFloat("--yaw0", yaw0);
    yaw1 = readFloat("--yaw1", yaw1);
    pitch = readFloat("--pitch", pitch);
    distance = readFloat("--dist", distance);
    if (const auto c = word("--curve")) exponential = *c == "exp";
}

std::int64_t FrameSchedule::count() const {
    return std::clamp<std::int64_t>(frames, 1, maxFrames);
}

FrameSchedule::Frame FrameSchedule::frame(std::int64_t index) const {
    const std::int64_t total = count();
    const double t = frames > 1 ? double(index) / double(total - 1) : 1.0;
    const double first = double(from), last = double(to);
    // A `from` of 0 or less yields 0 or less here, and the count is then raised to 1.
    const double n = exponential ? first * std::pow(last / double(std::max<std::int64_t>(from, 1)), t)
                                 : first + t * (last - first);
    const double s = t * t * (3.0 - 2.0 * t);
    return {cubeCount(std::round(n)), yaw0 + (yaw1 - yaw0) * float(s)};
}

std::string FrameSchedule::fileName(std::int64_t index) {
    char name[32];
    std::snprintf(name, sizeof name, "f%04lld.png", static_cast<long long>(index));
    return name;
}

} // namespace vesk
