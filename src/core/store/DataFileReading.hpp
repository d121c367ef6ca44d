#pragma once

#include "core/model/Date.hpp"
#include "core/model/Snapshot.hpp"
#include "core/runtime/FileSystem.hpp"

#include <filesystem>
#include <future>
#include <optional>
#include <string>

namespace vesk {

// The data file read and decoded ahead of the store, so that a large file decodes while the
// rest of the program starts. The store takes it only when the file, read again under the
// lock, still holds exactly these bytes; otherwise it reads and decodes the file itself.
struct DataFileReading {
    std::filesystem::path path;
    std::string bytes;
    std::optional<Snapshot> snapshot; // nothing when the bytes do not decode
};

// Reads and decodes `path` on a thread of its own; nothing when the file cannot be read. The
// ids a document lacks come from the kernel's source. `files` must outlive the result.
std::future<std::optional<DataFileReading>> readDataFileAhead(std::filesystem::path path, FileSystem& files,
                                                              Date now);

} // namespace vesk
