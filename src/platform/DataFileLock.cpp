#include "platform/DataFileLock.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vesk {

std::filesystem::path DataFileLock::lockPath(const std::filesystem::path& dataFile) {
    return dataFile.string() + ".lock";
}

std::unique_ptr<DataFileLock> DataFileLock::acquire(const std::filesystem::path& dataFile) {
    std::error_code ignored;
    std::filesystem::create_directories(dataFile.parent_path(), ignored);
    const int fd = ::open(lockPath(dataFile).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return std::unique_ptr<DataFileLock>(new DataFileLock(-1));
    int result;
    do
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    if (result != 0) {
        const bool heldElsewhere = errno == EWOULDBLOCK;
        ::close(fd);
        if (heldElsewhere) return nullptr;
        return std::unique_ptr<DataFileLock>(new DataFileLock(-1)); // no locking on this file system
    }
    return std::unique_ptr<DataFileLock>(new DataFileLock(fd));
}

DataFileLock::~DataFileLock() {
    if (fd_ >= 0) ::close(fd_);
}

} // namespace vesk
