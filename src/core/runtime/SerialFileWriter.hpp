#pragma once

#include "core/runtime/FileSystem.hpp"
#include "core/runtime/FileWriter.hpp"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace vesk {

// The writes on one thread of their own, through the given file system. The destructor
// finishes what it was given, then joins.
class SerialFileWriter final : public FileWriter {
  public:
    explicit SerialFileWriter(FileSystem& files);
    ~SerialFileWriter() override;
    SerialFileWriter(const SerialFileWriter&) = delete;
    SerialFileWriter& operator=(const SerialFileWriter&) = delete;

    void write(Job job) override;
    std::vector<Outcome> finished() override;
    void wait() override;

  private:
    void run();

    FileSystem& files_;
    std::mutex mutex_;
    std::condition_variable wake_; // a job came, or the writer is stopping
    std::condition_variable idle_; // a job is done
    std::deque<Job> jobs_;         // under mutex_, as is everything below
    std::vector<Outcome> outcomes_;
    bool writing_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace vesk
