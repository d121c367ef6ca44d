#include "platform/PosixFileSystem.hpp"

#include "core/store/DataLocation.hpp"
#include "platform/GetrandomSource.hpp"
#include "platform/UniqueFd.hpp"

#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <optional>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <system_error>
#include <unistd.h>

namespace vesk {

namespace {

// Has the kernel map a large buffer's pages in one call before it is written: left to a fault
// per page at the first touch, they cost about as much as copying the bytes into them.
void mapPagesAhead(const char* data, std::size_t size) {
#ifdef MADV_POPULATE_WRITE
    if (size < (std::size_t{1} << 20)) return;
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + page - 1) & ~(page - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(page - 1);
    // Only a hint: a kernel without it (before 5.14) leaves the pages to their faults.
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#endif
}

// Reads `fd` to its end through a small buffer, handing each piece to `take`, which returns
// false to stop; true only when the end was reached.
template <class Take> bool readPieces(int fd, Take take) {
    std::array<char, 64 * 1024> chunk;
    for (;;) {
        const ssize_t count = ::read(fd, chunk.data(), chunk.size());
        if (count == 0) return true;
        if (count < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (!take(std::string_view(chunk.data(), static_cast<std::size_t>(count)))) return false;
    }
}

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
    const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) ::fsync(fd.get());
}

// A new, exclusive file beside a target, and its descriptor.
struct TempFile {
    std::filesystem::path path;
    UniqueFd fd;
};

// ".data.json.tmp-": followed by the writer's process id, so that the temporary files of a
// writer that died can be told from those of one still writing, a dash and random hex digits,
// which another account that may write the folder cannot foresee to take first.
std::string temporaryPrefix(const std::filesystem::path& target) {
    return "." + target.filename().string() + ".tmp-";
}

std::string temporaryName(const std::filesystem::path& target) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, GetrandomSource().next(), 16).ptr;
    return temporaryPrefix(target) + std::to_string(::getpid()) + "-" + std::string(digits, end);
}

// The process that made a temporary file of `target` with this name, if it is one.
std::optional<pid_t> writerOfTemporary(const std::string& name, const std::string& prefix) {
    if (!name.starts_with(prefix)) return std::nullopt;
    const char* begin = name.data() + prefix.size();
    const char* end = name.data() + name.size();
    pid_t pid = 0;
    const auto [afterPid, pidError] = std::from_chars(begin, end, pid);
    if (pidError != std::errc() || pid <= 0 || afterPid == end || *afterPid != '-') return std::nullopt;
    std::uint64_t random = 0;
    const auto [afterRandom, randomError] = std::from_chars(afterPid + 1, end, random, 16);
    if (randomError != std::errc() || afterRandom != end) return std::nullopt;
    return pid;
}

// A process that cannot be signalled for lack of permission still exists.
bool isRunning(pid_t pid) {
    return pid == ::getpid() || ::kill(pid, 0) == 0 || errno == EPERM;
}

// Who may reach a file: its permission bits (never the set-id and sticky bits), owner and group.
struct Access {
    mode_t bits;
    uid_t owner;
    gid_t group;
};

// The access of a file that what is made beside it and in its place may take after it: only one
// that the user could have put there themselves, theirs and not writable by every account (root
// writing a user's own file gives it back to them). Another account may have put one of its own
// in place to be given what Vesk writes: that is no model, which is said once.
std::optional<Access> modelAccess(const std::filesystem::path& model) {
    struct stat status {};
    if (::lstat(model.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    const uid_t user = ::geteuid();
    const bool writableByAll = (status.st_mode & S_IWOTH) != 0;
    if ((status.st_uid == user || user == 0) && !writableByAll)
        return Access{status.st_mode & 0777, status.st_uid, status.st_gid};
    static std::atomic<bool> said{false};
    if (!said.exchange(true))
        std::cerr << "vesk: " << model.string()
                  << (writableByAll ? " can be written by every account" : " belongs to another account")
                  << ", so the files Vesk writes beside it and in its place are yours alone\n";
    return std::nullopt;
}

// The bits a file made beside a model has from its first instant: its owner's alone, and no more
// than the model's own.
mode_t privateBits(const std::optional<Access>& model) {
    return model ? model->bits & 0600 : 0600;
}

// Gives the new file `fd` the model's owner, group and bits, as far as this process may; a
// group it cannot give takes the group's bits away. False, with errno set, when the file
// would be open to more than the model is.
bool giveAccess(int fd, const Access& model) {
    struct stat made {};
    if (::fstat(fd, &made) != 0) return false;
    mode_t bits = model.bits;
    if ((made.st_uid != model.owner || made.st_gid != model.group) &&
        ::fchown(fd, model.owner, model.group) != 0 && ::fchown(fd, static_cast<uid_t>(-1), model.group) != 0)
        bits &= ~static_cast<mode_t>(070);
    if ((made.st_mode & 07777) == bits || ::fchmod(fd, bits) == 0) return true;
    // A file system with modes of its own (FAT) may refuse: what it gives must be no more.
    const int error = errno;
    if (::fstat(fd, &made) == 0 && (made.st_mode & 07777 & ~bits) == 0) return true;
    errno = error;
    return false;
}

// A new file beside `target` under a name no one can foresee, created with `bits`.
TempFile createTempBeside(const std::filesystem::path& target, mode_t bits) {
    const auto folder = folderOf(target);
    // A name drawn at random is taken only by chance, never twice in a row: the bound only
    // stops a file system that answers every name as taken.
    for (int attempt = 0; attempt < (1 << 16); ++attempt) {
        auto path = folder / temporaryName(target);
        UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, bits));
        if (fd.valid()) return {std::move(path), std::move(fd)};
        if (errno != EEXIST) break;
    }
    return {};
}

std::string reasonOf(int error) {
    return std::error_code(error, std::generic_category()).message();
}

// A durable temporary file beside `target` holding `bytes`, made with `bits` and opened up to
// `share`, when given, once it is whole; nothing, with errno set, on failure.
std::optional<std::filesystem::path> writeTemp(const std::filesystem::path& target, std::string_view bytes,
                                               mode_t bits, const std::optional<Access>& share) {
    TempFile temp = createTempBeside(target, bits);
    UniqueFd& fd = temp.fd;
    if (!fd.valid()) return std::nullopt;
    if (writeAll(fd.get(), bytes) && (!share || giveAccess(fd.get(), *share)) && ::fsync(fd.get()) == 0 &&
        fd.close())
        return std::move(temp.path);
    const int error = errno;
    ::unlink(temp.path.c_str());
    errno = error;
    return std::nullopt;
}

// The temporary file that takes the place of `target`: private while it is written, then open to
// whom `target` itself is, when that is a model.
std::optional<std::filesystem::path> writeReplacement(const std::filesystem::path& target,
                                                      std::string_view bytes) {
    const auto model = modelAccess(target);
    return writeTemp(target, bytes, privateBits(model), model);
}

// Writes `bytes` to a durable temporary file beside `target`, made by `write`, and hands it to
// `publish`, which puts it in place; the temporary file never survives a failure.
template <class Write, class Publish>
bool writeThroughTemp(const std::filesystem::path& target, Write write, Publish publish) {
    const auto temp = write();
    if (!temp) return false;
    if (!publish(*temp)) {
        ::unlink(temp->c_str());
        return false;
    }
    syncFolder(folderOf(target));
    return true;
}

// Why a symbolic link is not followed, as a person reads it; nothing when it may be. Another
// account can plant a link in a folder open to it (/tmp for one), so only links made by the user
// or root, in a folder of the user's or root's, are followed, and never onto a file of another
// account's, which a save would replace.
std::optional<std::string> whyNotFollowed(const std::filesystem::path& link) {
    const uid_t user = ::geteuid();
    const auto trusted = [user](uid_t owner) { return owner == user || owner == 0; };
    const std::string named = "the symbolic link " + link.string();
    struct stat info {};
    if (::lstat(link.c_str(), &info) != 0) return std::nullopt;
    if (!trusted(info.st_uid)) return named + " is another account's, and is not followed";
    if (::stat(folderOf(link).c_str(), &info) == 0 && !trusted(info.st_uid))
        return named + " is in a folder of another account's, and is not followed";
    if (::stat(link.c_str(), &info) == 0 && !S_ISDIR(info.st_mode) && info.st_uid != user)
        return named + " leads to a file of another account's, and is not followed";
    return std::nullopt;
}

// Why what `info` describes is no file to read or replace: a folder, a link, a named pipe (whose
// opening waits for a writer), a socket or a device; nothing for a plain file.
std::optional<std::string> whyNotAFile(const std::filesystem::path& path, const struct stat& info) {
    if (S_ISREG(info.st_mode)) return std::nullopt;
    if (S_ISDIR(info.st_mode)) return reasonOf(EISDIR);
    if (S_ISLNK(info.st_mode)) return whyNotFollowed(path).value_or(reasonOf(ELOOP));
    if (S_ISFIFO(info.st_mode)) return "a named pipe, not a file";
    if (S_ISSOCK(info.st_mode)) return "a socket, not a file";
    return "a device, not a file";
}

// The same for what is at `path` now; nothing too when there is nothing.
std::optional<std::string> whyNotAFile(const std::filesystem::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return std::nullopt;
    return whyNotAFile(path, info);
}

// The descriptor of a plain file opened for reading, or none: with `why` set when something else
// is there, which is looked at before anything is opened (a device, a pipe), with errno otherwise.
UniqueFd openPlainFile(const std::filesystem::path& path, std::optional<std::string>& why) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return {};
    if ((why = whyNotAFile(path, info))) return {};
    // Neither through a link nor waiting on a pipe that another program put there since.
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.valid()) {
        const int error = errno;
        if (error == ELOOP || error == ENXIO) why = whyNotAFile(path);
        errno = error;
        return {};
    }
    if (::fstat(fd.get(), &info) == 0 && (why = whyNotAFile(path, info))) return {};
    return fd;
}

NotReplaced failedFor(std::string reason) {
    return NotReplaced{{std::move(reason)}, false};
}

bool unsupported(int error) {
    return error == EINVAL || error == ENOSYS;
}

// Gives `from` the name `to` unless something has that name already; false, with errno set,
// when it cannot.
bool publishWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (!unsupported(errno)) return false;
    // File systems without the flag: a hard link fails just the same on an existing name.
    if (::link(from.c_str(), to.c_str()) != 0) return false;
    ::unlink(from.c_str());
    return true;
}

// Swaps the temporary file in; the one it replaces is left under the temporary name. A missing
// target is created without replacing one that appears meanwhile. Nothing when the file
// system cannot exchange names, with errno set otherwise.
std::optional<Replacement> exchangeIn(const std::filesystem::path& temp,
                                      const std::filesystem::path& target) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0)
            return Replaced{temp};
        if (errno != ENOENT) break;
        if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
            return Replaced{};
        // Another program created the file this instant: exchange with it.
        if (errno != EEXIST) break;
    }
    if (unsupported(errno)) return std::nullopt;
    return failedFor(reasonOf(errno));
}

} // namespace

FileRead PosixFileSystem::read(const std::filesystem::path& path) {
    std::optional<std::string> notAFile;
    const UniqueFd fd = openPlainFile(path, notAFile);
    // A folder, a pipe, an I/O error: present but unreadable, which callers must not take for
    // absent.
    const auto cannotRead = [](std::string reason) { return ReadFailure{{std::move(reason)}, false}; };
    if (notAFile) return cannotRead(std::move(*notAFile));
    if (!fd.valid()) {
        if (errno == ENOENT || errno == ENOTDIR) return ReadFailure{{}, true};
        return cannotRead(reasonOf(errno));
    }
    const std::string tooLarge = "larger than " + std::to_string(largestReadBytes >> 20) + " MB";
    // Into the result, with room for the whole file, through a small buffer: sizing the string
    // up front would first write a large document's every page as zeros, which costs as much
    // as the read itself, and every save reads it.
    std::string bytes;
    struct stat info {};
    if (::fstat(fd.get(), &info) == 0) {
        if (static_cast<std::uint64_t>(info.st_size) > largestReadBytes) return cannotRead(tooLarge);
        bytes.reserve(static_cast<std::size_t>(info.st_size));
        mapPagesAhead(bytes.data(), bytes.capacity());
    }
    bool fits = true;
    if (!readPieces(fd.get(), [&](std::string_view piece) {
            // A file that grows while it is read.
            fits = bytes.size() + piece.size() <= largestReadBytes;
            if (fits) bytes.append(piece);
            return fits;
        }))
        return cannotRead(fits ? reasonOf(errno) : tooLarge);
    return bytes;
}

bool PosixFileSystem::holds(const std::filesystem::path& path, std::string_view bytes) {
    std::optional<std::string> notAFile;
    const UniqueFd fd = openPlainFile(path, notAFile);
    if (!fd.valid()) return false;
    std::size_t at = 0;
    return readPieces(fd.get(),
                      [&](std::string_view piece) {
                          if (bytes.substr(at, piece.size()) != piece) return false;
                          at += piece.size();
                          return true;
                      }) &&
           at == bytes.size();
}

std::filesystem::path resolveOwnLinks(const std::filesystem::path& path) {
    return resolveDataFile(path, [](const std::filesystem::path& link) { return !whyNotFollowed(link); });
}

std::filesystem::path PosixFileSystem::resolve(const std::filesystem::path& path) {
    return resolveOwnLinks(path);
}

bool PosixFileSystem::writeAtomically(const std::filesystem::path& path, std::string_view bytes) {
    return writeThroughTemp(
        path, [&] { return writeReplacement(path, bytes); },
        [&](const std::filesystem::path& temp) { return std::rename(temp.c_str(), path.c_str()) == 0; });
}

Replacement PosixFileSystem::replace(const std::filesystem::path& path, std::string_view bytes,
                                     const std::string* expected) {
    // A folder where the file was is someone's, with whatever it holds; a link, a pipe or a
    // device is no file of the user's either: none is replaced.
    if (auto why = whyNotAFile(path)) return failedFor(std::move(*why));
    const auto temp = writeReplacement(path, bytes);
    if (!temp) return failedFor(reasonOf(errno));
    auto result = exchangeIn(*temp, path);
    if (result && result->ok() && (*result)->displaced) {
        if (auto why = whyNotAFile(*(*result)->displaced)) {
            // One put there in the instant since the look above: exchanged back at once.
            ::renameat2(AT_FDCWD, temp->c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE);
            result = failedFor(std::move(*why));
        }
    }
    if (!result) {
        // No exchange here (network and FAT file systems): the rename replaces the file only
        // when it is still the one expected, which leaves another program's write a far
        // narrower window.
        const FileRead current = read(path);
        const bool expectedThere =
            expected ? current.ok() && *current == *expected : !current && current.failure().missing;
        if (!expectedThere)
            result = NotReplaced{{}, true};
        else if (std::rename(temp->c_str(), path.c_str()) != 0)
            result = failedFor(reasonOf(errno));
        else
            result = Replaced{};
    }
    if (result->ok())
        syncFolder(folderOf(path));
    else
        ::unlink(temp->c_str());
    return *result;
}

bool PosixFileSystem::remove(const std::filesystem::path& path) {
    return ::unlink(path.c_str()) == 0;
}

FileCreation PosixFileSystem::rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (publishWithoutReplacing(from, to)) return {};
    return Failure{reasonOf(errno)};
}

std::optional<bool> PosixFileSystem::isOpenForWriting(const std::filesystem::path& path) {
    // Without blocking on a lease another program holds, nor going through a link.
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.valid()) return std::nullopt;
    if (::fcntl(fd.get(), F_SETLEASE, F_RDLCK) == 0) {
        ::fcntl(fd.get(), F_SETLEASE, F_UNLCK);
        return false;
    }
    if (errno == EAGAIN) return true;
    return std::nullopt;
}

FileCreation PosixFileSystem::createNew(const std::filesystem::path& path, std::string_view bytes,
                                        const std::filesystem::path& accessOf) {
    // Published without replacing: never destroys an existing file, and a reader of `path` sees
    // either nothing or the whole file, even when the program dies halfway.
    // The user's alone whatever the model, which another program may have opened to others (a
    // copy aside holds the whole document); no more open than the model either.
    const auto write = [&] {
        return writeTemp(path, bytes, privateBits(modelAccess(accessOf)), std::nullopt);
    };
    if (writeThroughTemp(path, write, [&](const std::filesystem::path& temp) {
            return publishWithoutReplacing(temp, path);
        }))
        return {};
    return Failure{reasonOf(errno)};
}

bool PosixFileSystem::createDirectories(const std::filesystem::path& folder) {
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) return true;
    const auto parent = folder.parent_path();
    if (!parent.empty() && parent != folder && !createDirectories(parent)) return false;
    // The user's alone, whatever the umask: what Vesk keeps there is theirs.
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
    return std::filesystem::is_directory(folder, error);
}

bool PosixFileSystem::exists(const std::filesystem::path& path) {
    // A link counts, even one that leads nowhere: the name is taken.
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

void PosixFileSystem::removeAbandonedTemporaries(const std::filesystem::path& path) {
    const std::string prefix = temporaryPrefix(path);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folderOf(path), error)) {
        const auto writer = writerOfTemporary(entry.path().filename().string(), prefix);
        if (writer && !isRunning(*writer) && entry.is_regular_file(error)) ::unlink(entry.path().c_str());
    }
}

std::vector<OwnFile> PosixFileSystem::ownFilesIn(const std::filesystem::path& folder) {
    std::vector<OwnFile> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        struct stat info {};
        if (::lstat(entry.path().c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid())
            files.push_back({entry.path(), static_cast<std::uint64_t>(info.st_size)});
    }
    return files;
}

std::optional<std::uint64_t> PosixFileSystem::freeBytes(const std::filesystem::path& folder) {
    struct statvfs info {};
    if (::statvfs(folder.c_str(), &info) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
}

} // namespace vesk
