#include "core/runtime/SerialFileWriter.hpp"

#include <pthread.h>
#include <utility>

namespace vesk {

SerialFileWriter::SerialFileWriter(FileSystem& files) : files_(files), thread_([this] { run(); }) {}

SerialFileWriter::~SerialFileWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void SerialFileWriter::write(Job job) {
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

std::vector<FileWriter::Outcome> SerialFileWriter::finished() {
    std::lock_guard lock(mutex_);
    return std::exchange(outcomes_, {});
}

void SerialFileWriter::wait() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return jobs_.empty() && !writing_; });
}

void SerialFileWriter::run() {
    pthread_setname_np(pthread_self(), "vesk.save");
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty()) return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
            writing_ = true;
        }
        Outcome outcome = writeReplacing(files_, job);
        {
            std::lock_guard lock(mutex_);
            outcomes_.push_back(std::move(outcome));
            writing_ = false;
        }
        idle_.notify_all();
    }
}

} // namespace vesk
