#include "platform/AbruptExit.hpp"

#include <cstdlib>

namespace vesk {
namespace {

// exit() runs functions without arguments: the one to run waits here.
std::function<void()> last;

void runLast() {
    if (!last) return;
    const auto run = std::move(last);
    last = nullptr;
    run();
}

} // namespace

AbruptExit::AbruptExit(std::function<void()> then) {
    static const bool registered = std::atexit(runLast) == 0;
    (void)registered;
    last = std::move(then);
}

AbruptExit::~AbruptExit() {
    last = nullptr;
}

} // namespace vesk
