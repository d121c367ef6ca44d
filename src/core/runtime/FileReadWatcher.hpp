#pragma once

#include <filesystem>
#include <functional>

namespace vesk {

// Tells when another program reads the one file it watches, on the main thread: so that the
// store knows which of the documents it wrote that program saw. The watch is on the file now
// at the path, and stays with it when another one is moved over it; watching again follows
// the new one.
class FileReadWatcher {
  public:
    virtual ~FileReadWatcher() = default;
    // Replaces any earlier watch; reads of the file watched before that were not reported yet
    // are reported first. False when the file cannot be watched.
    virtual bool watch(const std::filesystem::path& file, std::function<void()> onRead) = 0;
    // Reads not reported yet are reported first.
    virtual void stop() = 0;
    // Runs the program's own `read` of the watched file, which is not reported; reads before it are.
    virtual void ownRead(const std::function<void()>& read) = 0;
};

} // namespace vesk
