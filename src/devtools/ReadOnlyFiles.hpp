#pragma once

#include "core/runtime/FileSystem.hpp"

namespace vesk {

// Files that are read but never written: a scripted scene run without TARNEL_DATA must not
// replace the user's own data with its scene at quit. Writes are dropped as if they had
// been made, so the store carries on as usual.
class ReadOnlyFiles final : public FileSystem {
  public:
    explicit ReadOnlyFiles(FileSystem& files) : files_(files) {}

    FileRead read(const std::filesystem::path& path) override { return files_.read(path); }
    bool writeAtomically(const std::filesystem::path&, std::string_view) override { return true; }
    Replacement replace(const std::filesystem::path&, std::string_view, const std::string*) override {
        return Replaced{};
    }
    bool remove(const std::filesystem::path&) override { return true; }
    FileCreation rename(const std::filesystem::path&, const std::filesystem::path&) override { return {}; }
    std::optional<bool> isOpenForWriting(const std::filesystem::path& path) override {
        return files_.isOpenForWriting(path);
    }
    FileCreation createNew(const std::filesystem::path&, std::string_view,
                           const std::filesystem::path&) override {
        return {};
    }
    bool createDirectories(const std::filesystem::path&) override { return true; }
    bool exists(const std::filesystem::path& path) override { return files_.exists(path); }
    std::filesystem::path resolve(const std::filesystem::path& path) override { return files_.resolve(path); }
    bool holds(const std::filesystem::path& path, std::string_view bytes) override {
        return files_.holds(path, bytes);
    }
    void removeAbandonedTemporaries(const std::filesystem::path&) override {}
    std::vector<OwnFile> ownFilesIn(const std::filesystem::path& folder) override {
        return files_.ownFilesIn(folder);
    }
    std::optional<std::uint64_t> freeBytes(const std::filesystem::path& folder) override {
        return files_.freeBytes(folder);
    }

  private:
    FileSystem& files_;
};

} // namespace vesk
