#include "core/model/Uuid.hpp"

#include "core/runtime/RandomSource.hpp"

#include <cerrno>
#include <cstring>
#include <random>
#include <sys/random.h>

namespace vesk {
namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

UUID versionFour(UUID::Bytes bytes) {
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);
    return UUID(bytes);
}

void fillFromKernel(UUID::Bytes& bytes) {
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = getrandom(bytes.data() + filled, bytes.size() - filled, 0);
        if (got > 0) {
            filled += static_cast<std::size_t>(got);
        } else if (got == 0 || errno != EINTR) {
            // Only a kernel without getrandom(2) gets here; the library's device still works.
            std::random_device device;
            for (; filled < bytes.size(); ++filled)
                bytes[filled] = static_cast<std::uint8_t>(device());
        }
    }
}

} // namespace

UUID UUID::random() {
    Bytes bytes{};
    fillFromKernel(bytes);
    return versionFour(bytes);
}

UUID UUID::random(RandomSource& source) {
    Bytes bytes{};
    for (std::size_t half = 0; half < 2; ++half) {
        std::uint64_t word = source.next();
        for (std::size_t i = 0; i < 8; ++i, word >>= 8)
            bytes[half * 8 + i] = static_cast<std::uint8_t>(word);
    }
    return versionFour(bytes);
}

std::optional<UUID> UUID::parse(std::string_view text) {
    if (text.size() != 36) return std::nullopt;
    Bytes bytes{};
    std::size_t digit = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (text[i] != '-') return std::nullopt;
            continue;
        }
        const int value = hexValue(text[i]);
        if (value < 0) return std::nullopt;
        bytes[digit / 2] =
            static_cast<std::uint8_t>(bytes[digit / 2] | (digit % 2 == 0 ? value << 4 : value));
        ++digit;
    }
    return UUID(bytes);
}

std::string UUID::uuidString() const {
    static constexpr char digits[] = "0123456789ABCDEF";
    // Filled in place: every save writes tens of thousands of ids.
    std::string text(36, '-');
    std::size_t at = 0;
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) ++at;
        text[at++] = digits[bytes_[i] >> 4];
        text[at++] = digits[bytes_[i] & 0x0F];
    }
    return text;
}

} // namespace vesk

std::size_t std::hash<vesk::UUID>::operator()(const vesk::UUID& id) const noexcept {
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    std::memcpy(&high, id.bytes().data(), 8);
    std::memcpy(&low, id.bytes().data() + 8, 8);
    // Random ids are already well mixed; the multiply spreads the all-zero and hand-made ones.
    return static_cast<std::size_t>(high ^ (low * 0x9E3779B97F4A7C15ULL));
}
