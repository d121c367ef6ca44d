#pragma once

#include "core/runtime/FolderWatcher.hpp"

#include <functional>

namespace vesk::test {

// A watcher whose events a test fires by hand.
class FakeFolderWatcher final : public FolderWatcher {
  public:
    bool watch(const std::filesystem::path& folder, std::function<void()> onChange) override {
        if (!watchable) return false;
        folder_ = folder;
        onChange_ = std::move(onChange);
        return true;
    }
    void stop() override { onChange_ = nullptr; }
    bool waitForChange(double seconds) override { return onWait ? onWait(seconds) : false; }

    // One change in the folder; nothing while nobody watches.
    void fire() {
        if (!onChange_) return;
        const auto onChange = onChange_;
        onChange();
    }

    bool watching() const { return static_cast<bool>(onChange_); }
    const std::filesystem::path& folder() const { return folder_; }

    // False makes watch() fail, as for a folder that cannot be opened.
    bool watchable = true;
    // What a wait for a change does (a test moves its clock, or finishes another program's
    // write); returns whether the folder changed.
    std::function<bool(double seconds)> onWait;

  private:
    std::filesystem::path folder_;
    std::function<void()> onChange_;
};

} // namespace vesk::test
