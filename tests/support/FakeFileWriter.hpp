#pragma once

#include "core/runtime/FileSystem.hpp"
#include "core/runtime/FileWriter.hpp"

#include <utility>

namespace vesk::test {

// Writes at once, in the caller's thread; while `hold` is set the writes wait in line until
// the test completes them, as a slow disk would keep them.
class FakeFileWriter final : public FileWriter {
  public:
    explicit FakeFileWriter(FileSystem& files) : files_(files) {}

    void write(std::filesystem::path path, Bytes bytes) override {
        queued_.emplace_back(std::move(path), std::move(bytes));
        if (!hold) complete();
    }
    std::vector<bool> finished() override { return std::exchange(outcomes_, {}); }
    void wait() override { complete(); }

    void complete() {
        for (const auto& [path, bytes] : queued_)
            outcomes_.push_back(files_.writeAtomically(path, *bytes));
        queued_.clear();
    }
    std::size_t queued() const { return queued_.size(); }

    bool hold = false;

  private:
    FileSystem& files_;
    std::vector<std::pair<std::filesystem::path, Bytes>> queued_;
    std::vector<bool> outcomes_;
};

} // namespace vesk::test
