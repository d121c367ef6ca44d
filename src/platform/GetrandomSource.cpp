#include "platform/GetrandomSource.hpp"

#include <cerrno>
#include <cstddef>
#include <random>
#include <sys/random.h>

namespace vesk {

std::uint64_t GetrandomSource::next() {
    std::uint64_t value = 0;
    auto* bytes = reinterpret_cast<unsigned char*>(&value);
    std::size_t filled = 0;
    while (filled < sizeof value) {
        const ssize_t count = ::getrandom(bytes + filled, sizeof value - filled, 0);
        if (count > 0) {
            filled += static_cast<std::size_t>(count);
        } else if (count < 0 && errno != EINTR) {
            // Only a kernel without the call gets here; the library's device is the next best.
            std::random_device device;
            return (static_cast<std::uint64_t>(device()) << 32) ^ device();
        }
    }
    return value;
}

} // namespace vesk
