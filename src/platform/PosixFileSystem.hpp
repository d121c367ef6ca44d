#pragma once

#include "core/runtime/FileSystem.hpp"

namespace vesk {

// Files through POSIX calls. Atomic writes go to a temporary file in the target's folder
// (same file system, so the rename is atomic), are flushed to the disk, renamed over the
// target and made durable by flushing the folder too. A file made beside another is never open to
// anyone that one keeps out, not for an instant. A replace exchanges the two names where
// the file system can (renameat2), so that the file it displaces is not lost.
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
};

} // namespace vesk
