#include "platform/SystemClock.hpp"

namespace vesk {

Date SystemClock::now() const {
    return std::chrono::system_clock::now();
}

} // namespace vesk
