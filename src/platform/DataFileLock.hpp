#pragma once

#include <filesystem>
#include <memory>
#include <string>

class QSocketNotifier;
class QTimer;

namespace vesk {

// Keeps a second program from writing the same data file: the two would overwrite each
// other's saves. An exclusive lock on "<data file>.lock" beside the file that the data file's
// path resolves to (so that a link and its target share it), held while the object lives and
// dropped by the system when the process ends, however it ends. A lock file removed (by hand,
// or with the data folder) or replaced while it is held no longer keeps anyone out: once kept
// in place, it is made and taken again.
class DataFileLock {
  public:
    enum class Status {
        held,          // ours
        heldElsewhere, // another process has it
        noLocks,       // the file system cannot lock (read-only, or without locks)
        failed,        // the lock file cannot be used: whether another holds it is unknown
    };
    struct Attempt {
        Status status = Status::failed;
        std::unique_ptr<DataFileLock> lock; // when held
        std::string reason;                 // why there are no locks, or why it failed
    };

    static Attempt acquire(const std::filesystem::path& dataFile);
    static std::filesystem::path lockPath(const std::filesystem::path& dataFile);
    ~DataFileLock();
    DataFileLock(const DataFileLock&) = delete;
    DataFileLock& operator=(const DataFileLock&) = delete;

    // From now on, in the event loop: whenever the lock file leaves its place, a new one is made
    // there (and its folder, if that went too) and locked, as soon as no one else holds it.
    void keepInPlace();

  private:
    DataFileLock(int fd, std::filesystem::path path);
    bool inPlace() const;
    void retake();
    void watchPlace();

    int fd_;
    std::filesystem::path path_;
    int events_ = -1; // inotify, on the file at path_
    int watch_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::unique_ptr<QTimer> retakeSoon_;
};

} // namespace vesk
