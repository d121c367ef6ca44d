#include "platform/DataFileLock.hpp"

#include "platform/PosixFileSystem.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>

namespace vesk {

namespace {

// Errors that say the file system cannot lock at all, as opposed to this file being unusable.
bool meansNoLocks(int error) {
    return error == EROFS || error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS;
}

DataFileLock::Attempt failure(int error) {
    return {meansNoLocks(error) ? DataFileLock::Status::noLocks : DataFileLock::Status::failed, nullptr,
            std::error_code(error, std::generic_category()).message()};
}

// The lock file, never through a symbolic link: one planted there would have the lock taken on
// a file of someone else's choosing; never waiting on a named pipe planted there either. An
// existing one that may not be written (left by root, or on a read-only file system) locks as
// well when it can be read.
int openLockFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd >= 0 || (errno != EACCES && errno != EROFS)) return fd;
    const int error = errno;
    const int readOnly = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (readOnly < 0) errno = error;
    return readOnly;
}

} // namespace

std::filesystem::path DataFileLock::lockPath(const std::filesystem::path& dataFile) {
    return resolveOwnLinks(dataFile).string() + ".lock";
}

DataFileLock::Attempt DataFileLock::acquire(const std::filesystem::path& dataFile) {
    const auto path = lockPath(dataFile);
    PosixFileSystem().createDirectories(path.parent_path());
    const int fd = openLockFile(path);
    if (fd < 0) return failure(errno);
    int result;
    do
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    if (result != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) return {Status::heldElsewhere, nullptr, {}};
        return failure(error);
    }
    return {Status::held, std::unique_ptr<DataFileLock>(new DataFileLock(fd)), {}};
}

DataFileLock::~DataFileLock() {
    ::close(fd_);
}

} // namespace vesk
