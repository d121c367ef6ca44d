#include "render/thumbs/SerialQueue.hpp"

#include <pthread.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace vesk {

namespace {

// Background work yields to the interface: a utility thread runs at a lower priority.
constexpr int utilityNice = 10;
constexpr std::size_t threadNameLength = 15;

} // namespace

SerialQueue::SerialQueue(std::string label, Priority priority)
    : thread_([this, label = std::move(label), priority] { run(label, priority); }) {}

SerialQueue::~SerialQueue() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void SerialQueue::submit(std::function<void()> task) {
    {
        const std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    wake_.notify_one();
}

void SerialQueue::waitIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return tasks_.empty() && !busy_; });
}

void SerialQueue::run(std::string label, Priority priority) {
    label.resize(std::min(label.size(), threadNameLength));
    pthread_setname_np(pthread_self(), label.c_str());
    if (priority == Priority::utility)
        setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), utilityNice);

    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
        if (tasks_.empty()) break; // stopping, and nothing left to run
        auto task = std::move(tasks_.front());
        tasks_.pop_front();
        busy_ = true;
        lock.unlock();
        task();
        lock.lock();
        busy_ = false;
        if (tasks_.empty()) idle_.notify_all();
    }
    idle_.notify_all();
}

} // namespace vesk
