#include "core/model/Uuid.hpp"

#include "core/runtime/RandomSource.hpp"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <random>
#include <sys/random.h>

namespace vesk {
namespace {

// The value of each byte as a hex digit, -1 for every other byte: a table, since ids are read by
// the tens of thousands and their digits are random.
constexpr std::array<std::int8_t, 256> hexValues = [] {
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (int digit = 0; digit < 10; ++digit)
        values[static_cast<std::size_t>('0' + digit)] = static_cast<std::int8_t>(digit);
    for (int digit = 0; digit < 6; ++digit) {
        values[static_cast<std::size_t>('a' + digit)] = static_cast<std::int8_t>(10 + digit);
        values[static_cast<std::size_t>('A' + digit)] = static_cast<std::int8_t>(10 + digit);
    }
    return values;
}();

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
    if (text.size() != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-')
        return std::nullopt;
    // Where each byte's two digits start.
    static constexpr std::array<std::size_t, 16> at{0,  2,  4,  6,  9,  11, 14, 16,
                                                    19, 21, 24, 26, 28, 30, 32, 34};
    Bytes bytes{};
    int bad = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const int high = hexValues[static_cast<unsigned char>(text[at[i]])];
        const int low = hexValues[static_cast<unsigned char>(text[at[i] + 1])];
        bad |= high | low;
        bytes[i] = static_cast<std::uint8_t>(high << 4 | low);
    }
    if (bad < 0) return std::nullopt;
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
