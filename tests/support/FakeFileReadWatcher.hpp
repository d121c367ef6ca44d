#pragma once

#include "core/runtime/FileReadWatcher.hpp"

#include <functional>

namespace vesk::test {

// Reads by another program that a test makes by hand; the store's own are never seen.
class FakeFileReadWatcher final : public FileReadWatcher {
  public:
    bool watch(const std::filesystem::path& file, std::function<void()> onRead) override {
        file_ = file;
        onRead_ = std::move(onRead);
        ++watches;
        return true;
    }
    void stop() override { onRead_ = nullptr; }
    void flush() override {}
    void ownRead(const std::function<void()>& read) override { read(); }

    // Another program reads the file as it is now; nothing while nobody watches.
    void read() {
        if (onRead_) onRead_();
    }

    const std::filesystem::path& file() const { return file_; }
    int watches = 0;

  private:
    std::filesystem::path file_;
    std::function<void()> onRead_;
};

} // namespace vesk::test
