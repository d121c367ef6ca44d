#pragma once

#include <filesystem>
#include <memory>

namespace vesk {

// Keeps a second program from writing the same data file: the two would overwrite each
// other's saves. An exclusive lock on "<data file>.lock" beside it, held while the object
// lives and dropped by the system when the process ends, however it ends.
class DataFileLock {
  public:
    // Empty when another process holds the lock. A lock file that cannot be created at all
    // (a read-only folder) does not stop the program: the store cannot save there either.
    static std::unique_ptr<DataFileLock> acquire(const std::filesystem::path& dataFile);
    static std::filesystem::path lockPath(const std::filesystem::path& dataFile);
    ~DataFileLock();
    DataFileLock(const DataFileLock&) = delete;
    DataFileLock& operator=(const DataFileLock&) = delete;

  private:
    explicit DataFileLock(int fd) : fd_(fd) {}
    int fd_;
};

} // namespace vesk
