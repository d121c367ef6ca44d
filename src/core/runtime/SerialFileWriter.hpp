#pragma once

#include "core/runtime/FileSystem.hpp"
#include "core/runtime/FileWriter.hpp"
#include "core/runtime/SerialWorker.hpp"

#include <mutex>

namespace vesk {

// The writes on one thread of their own, through the given file system. The destructor
// finishes what it was given, then joins.
class SerialFileWriter final : public FileWriter {
  public:
    explicit SerialFileWriter(FileSystem& files) : files_(files) {}

    void write(Job job) override;
    std::vector<Outcome> finished() override;
    void wait() override { worker_.wait(); }

  private:
    FileSystem& files_;
    std::mutex mutex_;
    std::vector<Outcome> outcomes_;    // under mutex_
    SerialWorker worker_{"vesk.save"}; // last: joined before the rest goes
};

} // namespace vesk
