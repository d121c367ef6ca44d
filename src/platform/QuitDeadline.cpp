#include "platform/QuitDeadline.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <thread>
#include <unistd.h>

namespace vesk {
namespace {

// What the end says: the worst status known by the time it comes.
std::atomic<int> endStatus{0};

} // namespace

void QuitDeadline::arm(double afterSeconds, int status) {
    atLeast(status);
    // What was printed so far goes out now: the end, if it comes, flushes nothing.
    std::cout.flush();
    std::fflush(nullptr);
    std::thread([afterSeconds] {
        std::this_thread::sleep_for(std::chrono::duration<double>(afterSeconds));
        ::_exit(endStatus.load());
    }).detach();
}

void QuitDeadline::atLeast(int status) {
    int known = endStatus.load();
    while (status > known && !endStatus.compare_exchange_weak(known, status)) {
    }
}

} // namespace vesk
