#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vesk {

struct FileRead {
    enum class Status { ok, missing, failed };
    Status status = Status::missing;
    std::string bytes;

    bool ok() const { return status == Status::ok; }
};

// What the store needs of files. Failures are reported, never thrown. Safe to use from more
// than one thread at a time.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    virtual FileRead read(const std::filesystem::path& path) = 0;
    // A reader never sees a half-written file: the old bytes or the new ones.
    virtual bool writeAtomically(const std::filesystem::path& path, std::string_view bytes) = 0;
    // A new file holding exactly `bytes`, seen whole or not at all; fails, changing nothing, when
    // something already has that name.
    virtual bool createNew(const std::filesystem::path& path, std::string_view bytes) = 0;
    virtual bool createDirectories(const std::filesystem::path& folder) = 0;
    virtual bool exists(const std::filesystem::path& path) = 0;
    // Removes the temporary files that atomic writes of `path` left behind in processes that
    // ended halfway (killed, or the power went); a running process's are left alone.
    virtual void removeAbandonedTemporaries(const std::filesystem::path& path) = 0;

    // Never replaces a file at `to`.
    bool copy(const std::filesystem::path& from, const std::filesystem::path& to) {
        const FileRead source = read(from);
        return source.ok() && createNew(to, source.bytes);
    }
};

} // namespace vesk
