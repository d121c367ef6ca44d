#include "platform/DataFileLock.hpp"

#include "platform/PosixFileSystem.hpp"

#include <QSocketNotifier>
#include <QTimer>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <iostream>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace vesk {

namespace {

// Errors that say the file system cannot lock at all, as opposed to this file being unusable.
bool meansNoLocks(int error) {
    return error == EROFS || error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS;
}

DataFileLock::NotHeld failure(int error) {
    return {{std::error_code(error, std::generic_category()).message()},
            meansNoLocks(error) ? DataFileLock::Status::noLocks : DataFileLock::Status::failed};
}

// The lock file, never through a symbolic link: one planted there would have the lock taken on
// a file of someone else's choosing; never waiting on a named pipe planted there either. An
// existing one that may not be written (left by root, or on a read-only file system) locks as
// well when it can be read.
UniqueFd openLockFile(const std::filesystem::path& path) {
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600));
    if (fd.valid() || (errno != EACCES && errno != EROFS)) return fd;
    const int error = errno;
    UniqueFd readOnly(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!readOnly.valid()) errno = error;
    return readOnly;
}

// Takes the lock on `fd` without waiting; errno tells why not.
bool lockAt(int fd) {
    int result;
    do
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

// The file's leaving its place (its last name removed, or renamed away), and every close by
// another program, after which a lock it held may be free.
constexpr std::uint32_t placeEvents = IN_ATTRIB | IN_MOVE_SELF | IN_DELETE_SELF | IN_CLOSE;
// After the last event: a folder being removed whole (`rm -r`) is gone first, rather than kept
// from going by the new file.
constexpr int retakeDelayMs = 1000;

} // namespace

std::filesystem::path DataFileLock::lockPath(const std::filesystem::path& dataFile) {
    return resolveOwnLinks(dataFile).string() + ".lock";
}

DataFileLock::Attempt DataFileLock::acquire(const std::filesystem::path& dataFile) {
    const auto path = lockPath(dataFile);
    PosixFileSystem().createDirectories(path.parent_path());
    UniqueFd fd = openLockFile(path);
    if (!fd.valid()) return failure(errno);
    if (!lockAt(fd.get())) {
        if (errno == EWOULDBLOCK) return NotHeld{{}, Status::heldElsewhere};
        return failure(errno);
    }
    return std::unique_ptr<DataFileLock>(new DataFileLock(std::move(fd), path));
}

DataFileLock::DataFileLock(UniqueFd fd, std::filesystem::path path)
    : fd_(std::move(fd)), path_(std::move(path)) {}

DataFileLock::~DataFileLock() {
    // Before the descriptor they watch closes.
    retakeSoon_.reset();
    notifier_.reset();
}

void DataFileLock::keepInPlace() {
    if (events_.valid()) return;
    events_.reset(inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    if (!events_.valid()) return;
    retakeSoon_ = std::make_unique<QTimer>();
    retakeSoon_->setSingleShot(true);
    retakeSoon_->setInterval(retakeDelayMs);
    QObject::connect(retakeSoon_.get(), &QTimer::timeout, retakeSoon_.get(), [this] { retake(); });
    notifier_ = std::make_unique<QSocketNotifier>(events_.get(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] {
        std::array<char, 4096> events;
        while (::read(events_.get(), events.data(), events.size()) > 0) {
        }
        retakeSoon_->start();
    });
    watchPlace();
}

bool DataFileLock::inPlace() const {
    struct stat held {};
    struct stat there {};
    return ::fstat(fd_.get(), &held) == 0 && held.st_nlink > 0 && ::lstat(path_.c_str(), &there) == 0 &&
           there.st_dev == held.st_dev && there.st_ino == held.st_ino;
}

void DataFileLock::retake() {
    if (inPlace()) return;
    PosixFileSystem().createDirectories(path_.parent_path());
    UniqueFd fd = openLockFile(path_);
    if (!fd.valid()) return;
    if (lockAt(fd.get())) {
        fd_ = std::move(fd);
        std::cerr << "vesk: " << path_.string() << " was removed or replaced; made and locked again\n";
    } else {
        // Closed before the file is watched: our own close is no news.
        fd.reset();
    }
    watchPlace();
}

void DataFileLock::watchPlace() {
    // A watch follows its file, wherever it went: the file now in the place is watched instead.
    const int watch = inotify_add_watch(events_.get(), path_.c_str(), placeEvents | IN_DONT_FOLLOW);
    if (watch_ >= 0 && watch_ != watch) inotify_rm_watch(events_.get(), watch_);
    watch_ = watch;
}

} // namespace vesk
