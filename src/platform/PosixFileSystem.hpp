#pragma once

#include "core/runtime/FileSystem.hpp"

namespace vesk {

// Files through POSIX calls. Atomic writes go to a temporary file in the target's folder
// (same file system, so the rename is atomic), under a name no one can foresee, are flushed to
// the disk, renamed over the target and made durable by flushing the folder too. A file made
// beside another is the user's alone from its first instant (a copy aside stays so), and never
// open to anyone that one keeps out; a new file and a new folder are the user's alone. A replace
// exchanges the two names where the file system can (renameat2), so that the file it displaces
// is not lost. Only plain files are read or replaced, never a link, a pipe or a device.
class PosixFileSystem final : public FileSystem {
  public:
    FileRead read(const std::filesystem::path& path) override;
    bool writeAtomically(const std::filesystem::path& path, std::string_view bytes) override;
    Replacement replace(const std::filesystem::path& path, std::string_view bytes,
                        const std::string* expected) override;
    bool remove(const std::filesystem::path& path) override;
    FileCreation rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    // A read lease is refused while any process holds the file open for writing; it can be
    // asked for only on one's own files, and on local file systems.
    std::optional<bool> isOpenForWriting(const std::filesystem::path& path) override;
    FileCreation createNew(const std::filesystem::path& path, std::string_view bytes,
                           const std::filesystem::path& accessOf) override;
    bool createDirectories(const std::filesystem::path& folder) override;
    bool exists(const std::filesystem::path& path) override;
    bool holds(const std::filesystem::path& path, std::string_view bytes) override;
    std::filesystem::path resolve(const std::filesystem::path& path) override;
    void removeAbandonedTemporaries(const std::filesystem::path& path) override;
    std::vector<OwnFile> ownFilesIn(const std::filesystem::path& folder) override;
    std::optional<std::uint64_t> freeBytes(const std::filesystem::path& folder) override;
};

// The file `path` names, as resolveDataFile finds it, following only the links that no other
// account can have planted: the user's or root's, in a folder of the user's or root's, and not
// onto another account's file.
std::filesystem::path resolveOwnLinks(const std::filesystem::path& path);

} // namespace vesk
