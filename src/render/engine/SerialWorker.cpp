#include "render/engine/SerialWorker.hpp"

#include <pthread.h>

namespace vesk {

SerialWorker::SerialWorker(std::string name) : name_(std::move(name)), thread_([this] { run(); }) {}

SerialWorker::~SerialWorker() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void SerialWorker::post(Job job) {
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void SerialWorker::discardPending() {
    std::deque<Job> discarded;
    {
        std::lock_guard lock(mutex_);
        discarded.swap(jobs_);
    }
    // Destroyed here, on the caller's thread, outside the lock.
}

void SerialWorker::run() {
    // Linux limits thread names to 15 characters plus the terminator.
    pthread_setname_np(pthread_self(), name_.substr(0, 15).c_str());
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty()) return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();
    }
}

} // namespace vesk
