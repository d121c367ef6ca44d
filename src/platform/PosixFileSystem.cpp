#include "platform/PosixFileSystem.hpp"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk {

namespace {

// Closes a descriptor on every path out of a function.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Close explicitly where the result matters (a failed close can mean lost data).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::filesystem::path folderOf(const std::filesystem::path& path) {
    const auto folder = path.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

void syncFolder(const std::filesystem::path& folder) {
    Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) ::fsync(fd.get());
}

// A new, exclusive file beside `target`, created with the usual 0666 & ~umask mode, or
// with the target's own mode when it exists, so that a replacement keeps the permissions.
struct TempFile {
    std::filesystem::path path;
    int fd = -1;
};

TempFile createTempBeside(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    const auto folder = folderOf(target);
    struct stat existing {};
    const bool hasMode = ::stat(target.c_str(), &existing) == 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto name = "." + target.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-" +
                    std::to_string(counter.fetch_add(1));
        auto path = folder / name;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (hasMode) ::fchmod(fd, existing.st_mode & 07777);
            return {std::move(path), fd};
        }
        if (errno != EEXIST) break;
    }
    return {};
}

// Writes `bytes` to a durable temporary file beside `target` and hands it to `publish`,
// which puts it in place; the temporary file never survives a failure.
template <class Publish>
bool writeThroughTemp(const std::filesystem::path& target, std::string_view bytes, Publish publish) {
    TempFile temp = createTempBeside(target);
    if (temp.fd < 0) return false;
    Descriptor fd(temp.fd);
    const bool written = writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0 && fd.close();
    if (!written || !publish(temp.path)) {
        ::unlink(temp.path.c_str());
        return false;
    }
    syncFolder(folderOf(target));
    return true;
}

} // namespace

FileRead PosixFileSystem::read(const std::filesystem::path& path) {
    FileRead result;
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) {
        result.status =
            (errno == ENOENT || errno == ENOTDIR) ? FileRead::Status::missing : FileRead::Status::failed;
        return result;
    }
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t count = ::read(fd.get(), buffer, sizeof buffer);
        if (count > 0) {
            result.bytes.append(buffer, static_cast<std::size_t>(count));
        } else if (count == 0) {
            result.status = FileRead::Status::ok;
            return result;
        } else if (errno != EINTR) {
            // A folder, an I/O error: present but unreadable, which callers must not take for absent.
            result.bytes.clear();
            result.status = FileRead::Status::failed;
            return result;
        }
    }
}

bool PosixFileSystem::writeAtomically(const std::filesystem::path& path, std::string_view bytes) {
    return writeThroughTemp(path, bytes, [&](const std::filesystem::path& temp) {
        return std::rename(temp.c_str(), path.c_str()) == 0;
    });
}

bool PosixFileSystem::copy(const std::filesystem::path& from, const std::filesystem::path& to) {
    const FileRead source = read(from);
    if (!source.ok()) return false;
    // Published without replacing: a copy never destroys an existing file, and a reader of
    // `to` sees either nothing or the whole copy, even when the program dies halfway.
    return writeThroughTemp(to, source.bytes, [&](const std::filesystem::path& temp) {
        if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
        if (errno != EINVAL && errno != ENOSYS) return false;
        // File systems without the flag: a hard link fails just the same on an existing name.
        if (::link(temp.c_str(), to.c_str()) != 0) return false;
        ::unlink(temp.c_str());
        return true;
    });
}

bool PosixFileSystem::createDirectories(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}

bool PosixFileSystem::exists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

} // namespace vesk
