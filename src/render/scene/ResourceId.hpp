#pragma once

#include <cstdint>

namespace vesk::scene {

// A process-wide unique number for CPU-side resources (images, vertex streams). A GL
// context keys its uploads by it, so a resource is uploaded once per context however many
// nodes share it. Never 0.
std::uint64_t nextResourceId();

} // namespace vesk::scene
