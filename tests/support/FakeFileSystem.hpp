#pragma once

#include "core/runtime/FileSystem.hpp"

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vesk::test {

// Files in memory. Like the real thing, a file can only be written or created in an
// existing folder, and a new file never replaces one. Failures are injected per path.
class FakeFileSystem final : public FileSystem {
  public:
    FileRead read(const std::filesystem::path& path) override;
    bool writeAtomically(const std::filesystem::path& path, std::string_view bytes) override;
    // Exchanges names, as ext4 or tmpfs do, unless `exchanges` is off.
    Replacement replace(const std::filesystem::path& path, std::string_view bytes,
                        const std::string* expected) override;
    bool remove(const std::filesystem::path& path) override;
    FileCreation rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    // As the test says with holdOpen and close; a name exchanged keeps its writer.
    std::optional<bool> isOpenForWriting(const std::filesystem::path& path) override;
    FileCreation createNew(const std::filesystem::path& path, std::string_view bytes,
                           const std::filesystem::path& accessOf) override;
    bool createDirectories(const std::filesystem::path& folder) override;
    bool exists(const std::filesystem::path& path) override;
    // Atomic writes here leave nothing behind: only records which data files were tidied.
    void removeAbandonedTemporaries(const std::filesystem::path& path) override { tidied.push_back(path); }
    std::vector<std::filesystem::path> tidied;
    std::vector<OwnFile> ownFilesIn(const std::filesystem::path& folder) override;
    // What `capacity` leaves of all the files' bytes; nothing without one.
    std::optional<std::uint64_t> freeBytes(const std::filesystem::path& folder) override;

    // Test set-up: a file (its folders created) and direct inspection.
    void put(const std::filesystem::path& path, std::string bytes);
    std::optional<std::string> contents(const std::filesystem::path& path) const;
    bool hasFolder(const std::filesystem::path& folder) const;
    // An empty folder, as rmdir removes it.
    bool removeFolder(const std::filesystem::path& folder);
    std::vector<std::filesystem::path> filesIn(const std::filesystem::path& folder) const;

    // Failure injection: reading the path reports a failure (the file stays there), and
    // writing or creating it fails without changing anything.
    std::set<std::filesystem::path> failingReads;
    // What a failing read reports.
    std::string readFailure = "Permission denied";
    std::set<std::filesystem::path> failingWrites;
    bool failAllWrites = false;
    // What a failing write reports.
    std::string failure = "No space left on device";
    bool exchanges = true;
    bool failFolderCreation = false;
    // A small disk: a write needs room for the new bytes while the old ones are still there.
    std::optional<std::uint64_t> capacity;
    // Files another program put there under a copy's name, which are not the user's own.
    std::set<std::filesystem::path> othersFiles;

    // Another program opens the file for writing, and later closes it (a change, as inotify
    // tells a close after writing). With `cannotTell`, whether it is open cannot be told.
    void holdOpen(const std::filesystem::path& path) { heldOpen_.insert(key(path)); }
    void close(const std::filesystem::path& path);
    bool cannotTell = false;

    // Successful atomic writes and replaces, per path.
    std::size_t writeCount(const std::filesystem::path& path) const;
    // Told after every change that succeeded, with the changed path (a test may fire a watcher).
    std::function<void(const std::filesystem::path&)> onChange;

  private:
    static std::filesystem::path key(const std::filesystem::path& path) { return path.lexically_normal(); }
    void changed(const std::filesystem::path& path);
    // Whether `bytes` more fit on the disk.
    bool fits(std::size_t bytes);

    std::map<std::filesystem::path, std::string> files_;
    std::set<std::filesystem::path> folders_{"/"};
    std::map<std::filesystem::path, std::size_t> writes_;
    std::size_t displacedCount_ = 0;
    std::set<std::filesystem::path> heldOpen_;
};

} // namespace vesk::test
