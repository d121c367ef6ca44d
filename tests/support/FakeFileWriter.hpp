#pragma once

#include "core/runtime/FileSystem.hpp"
#include "core/runtime/FileWriter.hpp"

#include <utility>
#include <vector>

namespace vesk::test {

// Writes at once, in the caller's thread; while `hold` is set the writes wait in line until
// the test completes them, as a slow disk would keep them.
class FakeFileWriter final : public FileWriter {
  public:
    explicit FakeFileWriter(FileSystem& files) : files_(files) {}

    void write(Job job) override {
        queued_.push_back(std::move(job));
        if (!hold) complete();
    }
    std::vector<Outcome> finished() override { return std::exchange(outcomes_, {}); }
    void wait() override { complete(); }

    void complete() {
        for (const Job& job : queued_)
            outcomes_.push_back(writeReplacing(files_, job));
        queued_.clear();
    }
    std::size_t queued() const { return queued_.size(); }

    bool hold = false;

  private:
    FileSystem& files_;
    std::vector<Job> queued_;
    std::vector<Outcome> outcomes_;
};

} // namespace vesk::test
