#pragma once

#include <filesystem>
#include <functional>

namespace vesk {

// Reports, on the main thread, that something in a folder changed (a write, a rename
// over a file, a deletion, an attribute change). It says nothing of what changed.
class FolderWatcher {
  public:
    virtual ~FolderWatcher() = default;
    // False when the folder cannot be watched. Once watched, the folder renamed or removed counts
    // as a change, and whatever folder its path names later is watched in its place.
    virtual bool watch(const std::filesystem::path& folder, std::function<void()> onChange) = 0;
    virtual void stop() = 0;
    // Blocks until something in the watched folder changes or `seconds` pass; true on a change,
    // which the listener is not told of. Without a watch it just waits. For the moments before
    // the program ends, when no event loop runs any more.
    virtual bool waitForChange(double seconds) = 0;
};

} // namespace vesk
