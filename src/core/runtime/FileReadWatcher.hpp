#pragma once

#include <filesystem>
#include <functional>

namespace vesk {

// Tells when another program reads the file at one path, whichever file is there (each save
// moves a new one in), on the main thread: so that the store knows which of the documents it
// wrote that program saw.
class FileReadWatcher {
  public:
    virtual ~FileReadWatcher() = default;
    // Replaces any earlier watch. False when the file's folder cannot be watched.
    virtual bool watch(const std::filesystem::path& file, std::function<void()> onRead) = 0;
    virtual void stop() = 0;
    // Reports the reads made so far, before the file changes hands.
    virtual void flush() = 0;
    // Runs the program's own `read` of the file, which is not reported; reads before it are.
    virtual void ownRead(const std::function<void()>& read) = 0;
};

} // namespace vesk
