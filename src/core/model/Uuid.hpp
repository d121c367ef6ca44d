#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

class RandomSource;

// A 128-bit identifier of lists, tasks, sessions and garden trees. Written as the 36-character
// hyphenated form with upper-case digits; read in either case.
class UUID {
  public:
    using Bytes = std::array<std::uint8_t, 16>;

    // The all-zero id.
    constexpr UUID() = default;
    constexpr explicit UUID(const Bytes& bytes) : bytes_(bytes) {}

    // All zero: names no list. A task read without a list id carries it.
    static const UUID unknown;

    // A version-4 (random) id from the kernel's random source.
    static UUID random();
    // A version-4 id from the given source, for reproducible ids.
    static UUID random(RandomSource& source);

    // The 8-4-4-4-12 hexadecimal form, in either case; anything else is no id.
    static std::optional<UUID> parse(std::string_view text);

    // Upper-case 8-4-4-4-12 form.
    std::string uuidString() const;

    const Bytes& bytes() const { return bytes_; }

    friend constexpr bool operator==(const UUID&, const UUID&) = default;
    friend constexpr auto operator<=>(const UUID&, const UUID&) = default;

  private:
    Bytes bytes_{};
};

inline constexpr UUID UUID::unknown{};

} // namespace vesk

template <> struct std::hash<vesk::UUID> { std::size_t operator()(const vesk::UUID& id) const noexcept; };
