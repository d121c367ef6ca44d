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

// What the store needs of files. Failures are reported, never thrown.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    virtual FileRead read(const std::filesystem::path& path) = 0;
    // A reader never sees a half-written file: the old bytes or the new ones.
    virtual bool writeAtomically(const std::filesystem::path& path, std::string_view bytes) = 0;
    virtual bool copy(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    virtual bool createDirectories(const std::filesystem::path& folder) = 0;
    virtual bool exists(const std::filesystem::path& path) = 0;
};

} // namespace vesk
