#include "platform/QuitDeadline.hpp"

#include <chrono>
#include <cstdio>
#include <iostream>
#include <thread>
#include <unistd.h>

namespace vesk {

void QuitDeadline::arm(double afterSeconds, int status) {
    // What was printed so far goes out now: the end, if it comes, flushes nothing.
    std::cout.flush();
    std::fflush(nullptr);
    std::thread([afterSeconds, status] {
        std::this_thread::sleep_for(std::chrono::duration<double>(afterSeconds));
        ::_exit(status);
    }).detach();
}

} // namespace vesk
