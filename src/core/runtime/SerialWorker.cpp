#include "core/runtime/SerialWorker.hpp"

#include <pthread.h>

namespace vesk {

SerialWorker::SerialWorker(std::string name) : name_(std::move(name)) {}

SerialWorker::~SerialWorker() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
}

bool SerialWorker::post(Job job, std::size_t maxPending) {
    {
        std::lock_guard lock(mutex_);
        if (jobs_.size() >= maxPending) return false;
        jobs_.push_back(std::move(job));
        if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
    }
    wake_.notify_one();
    return true;
}

void SerialWorker::discardPending() {
    std::deque<Job> discarded;
    {
        std::lock_guard lock(mutex_);
        discarded.swap(jobs_);
    }
    idle_.notify_all();
    // Destroyed here, on the caller's thread, outside the lock.
}

void SerialWorker::wait() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return jobs_.empty() && !running_; });
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
            running_ = true;
        }
        job();
        // The job's captures go before anyone waiting is told it finished.
        job = nullptr;
        {
            std::lock_guard lock(mutex_);
            running_ = false;
        }
        idle_.notify_all();
    }
}

} // namespace vesk
