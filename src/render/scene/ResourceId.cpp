#include "render/scene/ResourceId.hpp"

#include <atomic>

namespace vesk::scene {

std::uint64_t nextResourceId() {
    static std::atomic<std::uint64_t> last{0};
    return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

} // namespace vesk::scene
