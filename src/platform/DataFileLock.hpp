#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace vesk {

// Keeps a second program from writing the same data file: the two would overwrite each
// other's saves. An exclusive lock on "<data file>.lock" beside the file that the data file's
// path resolves to (so that a link and its target share it), held while the object lives and
// dropped by the system when the process ends, however it ends.
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

  private:
    explicit DataFileLock(int fd) : fd_(fd) {}
    int fd_;
};

} // namespace vesk
