#pragma once

#include <array>

namespace vesk {

// Every case of an enumeration, in declared order; specialised beside each enumeration.
template <class Enum> inline constexpr std::array<Enum, 0> allCases{};

} // namespace vesk
