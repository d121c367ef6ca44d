#pragma once

#include "core/runtime/Result.hpp"
#include "platform/UniqueFd.hpp"

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
    // Why the lock is not ours: with the reason, unless another process has it.
    struct NotHeld : Failure {
        enum class Status {
            heldElsewhere, // another process has it
            noLocks,       // the file system cannot lock (read-only, or without locks)
            failed,        // the lock file cannot be used: whether another holds it is unknown
        };
        Status status = Status::failed;
    };
    using Status = NotHeld::Status;
    using Attempt = Result<std::unique_ptr<DataFileLock>, NotHeld>;

    static Attempt acquire(const std::filesystem::path& dataFile);
    static std::filesystem::path lockPath(const std::filesystem::path& dataFile);
    ~DataFileLock();
    DataFileLock(const DataFileLock&) = delete;
    DataFileLock& operator=(const DataFileLock&) = delete;

    // From now on, in the event loop: whenever the lock file leaves its place, a new one is made
    // there (and its folder, if that went too) and locked, as soon as no one else holds it.
    void keepInPlace();

  private:
    DataFileLock(UniqueFd fd, std::filesystem::path path);
    bool inPlace() const;
    void retake();
    void watchPlace();

    UniqueFd fd_;
    std::filesystem::path path_;
    UniqueFd events_; // inotify, on the file at path_
    int watch_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::unique_ptr<QTimer> retakeSoon_;
};

} // namespace vesk
