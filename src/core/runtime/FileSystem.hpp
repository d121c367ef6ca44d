#pragma once

#include "core/runtime/Result.hpp"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// Why a file was not read: it is missing (no reason then), or it is there and cannot be read.
struct ReadFailure : Failure {
    bool missing = false;

    bool operator==(const ReadFailure&) const = default;
};

// The bytes of a whole file.
using FileRead = Result<std::string, ReadFailure>;

// There, but it cannot be read (a folder, a pipe, an I/O error): never to be taken for absent.
inline bool unreadable(const FileRead& read) {
    return !read && !read.failure().missing;
}

// A file larger than this is read as one that cannot be read: no document of this program is
// near it, and holding it whole could exhaust the memory.
inline constexpr std::uint64_t largestReadBytes = std::uint64_t{256} << 20;

// Whether a write that makes a new file made it.
using FileCreation = Result<void>;

// The new bytes are in place.
struct Replaced {
    // The file that was in place at the instant of the replace, now under this name.
    std::optional<std::filesystem::path> displaced;
};

// Why nothing was written: the file no longer held what was expected (no reason then), or the
// reason.
struct NotReplaced : Failure {
    bool changed = false;

    bool operator==(const NotReplaced&) const = default;
};

using Replacement = Result<Replaced, NotReplaced>;

// A plain file of the user's (no link, nothing of another account's) and its size.
struct OwnFile {
    std::filesystem::path path;
    std::uint64_t size = 0;
};

// What the store needs of files. Failures are reported, never thrown. Safe to use from more
// than one thread at a time.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // A folder, a symbolic link (resolve it first), a named pipe, a socket or a device in the
    // file's place, or a file larger than largestReadBytes, is there but cannot be read.
    virtual FileRead read(const std::filesystem::path& path) = 0;
    // A reader never sees a half-written file: the old bytes or the new ones.
    virtual bool writeAtomically(const std::filesystem::path& path, std::string_view bytes) = 0;
    // As writeAtomically, without losing what was there. Where the file system can exchange two
    // names in one step, the file in place at that instant stays under `displaced` for the caller
    // to look at and remove (a program may still be writing into it). Elsewhere the file is
    // replaced only while it holds `expected` (nullptr: while there is none). A folder in its
    // place is never replaced: that fails.
    virtual Replacement replace(const std::filesystem::path& path, std::string_view bytes,
                                const std::string* expected) = 0;
    virtual bool remove(const std::filesystem::path& path) = 0;
    // The file under a new name, with whoever holds it open still writing into it; fails,
    // changing nothing, when something already has that name.
    virtual FileCreation rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // Whether a program holds the file open for writing now; nothing where that cannot be told.
    virtual std::optional<bool> isOpenForWriting(const std::filesystem::path& path) = 0;
    // A new file holding exactly `bytes`, seen whole or not at all, the user's alone and open to
    // no one whom `accessOf` (when it exists) keeps out; fails, changing nothing, when something
    // already has that name.
    virtual FileCreation createNew(const std::filesystem::path& path, std::string_view bytes,
                                   const std::filesystem::path& accessOf) = 0;
    virtual bool createDirectories(const std::filesystem::path& folder) = 0;
    virtual bool exists(const std::filesystem::path& path) = 0;
    // Removes the temporary files that atomic writes of `path` left behind in processes that
    // ended halfway (killed, or the power went); a running process's are left alone.
    virtual void removeAbandonedTemporaries(const std::filesystem::path& path) = 0;
    // The plain files of the user's in `folder`; none where it cannot be listed.
    virtual std::vector<OwnFile> ownFilesIn(const std::filesystem::path& folder) = 0;
    // The bytes this process may still write on the file system holding `folder`; nothing
    // where that cannot be told.
    virtual std::optional<std::uint64_t> freeBytes(const std::filesystem::path& folder) = 0;

    // The file `path` names once every symbolic link on the way is followed, even when it does
    // not exist yet; the path itself where there are no links. A link another account could have
    // planted is not followed: the path ends at it.
    virtual std::filesystem::path resolve(const std::filesystem::path& path) { return path; }

    // Whether the file holds exactly `bytes` now, all of it read again: an earlier reading
    // checked without a second copy. False when it is missing or unreadable.
    virtual bool holds(const std::filesystem::path& path, std::string_view bytes) {
        const FileRead now = read(path);
        return now.ok() && *now == bytes;
    }

    // Never replaces a file at `to`; the copy is no more open than the original.
    FileCreation copy(const std::filesystem::path& from, const std::filesystem::path& to) {
        const FileRead source = read(from);
        if (!source.ok()) return Failure{source.reason()};
        return createNew(to, *source, from);
    }
};

} // namespace vesk
