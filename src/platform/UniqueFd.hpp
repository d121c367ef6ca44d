#pragma once

#include <cerrno>
#include <unistd.h>

namespace vesk {

// A file descriptor that closes itself, on every path out of its owner.
class UniqueFd {
  public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

    // The descriptor is the caller's to close from now on.
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

    // Closes the one held, keeping errno: it still tells why the call before failed.
    void reset(int fd = -1) {
        if (fd_ >= 0 && fd_ != fd) {
            const int error = errno;
            ::close(fd_);
            errno = error;
        }
        fd_ = fd;
    }

    // Closes now, where the result matters: a failed close can mean lost data.
    bool close() { return ::close(release()) == 0; }

  private:
    int fd_ = -1;
};

} // namespace vesk
