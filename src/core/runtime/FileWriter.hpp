#pragma once

#include "core/runtime/FileSystem.hpp"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// Atomic writes of whole files away from the main thread, one after another in the order
// given, so that the main thread never waits for the disk. Called from the main thread only.
class FileWriter {
  public:
    using Bytes = std::shared_ptr<const std::string>;

    struct Job {
        std::filesystem::path path;
        Bytes bytes;
        // What the file held when the write was decided on (null: no file). Another file found
        // in its place is handed back, never lost.
        Bytes base;
        // Hand back the file replaced even when it holds `base`: another program may still be
        // writing into it.
        bool keepReplaced = false;
    };

    struct Written {
        // The file that was in place, left under this name with the bytes it held.
        std::optional<std::filesystem::path> replaced;
        std::string replacedBytes;
    };
    // Not written: as a replace says it.
    using Outcome = Result<Written, NotReplaced>;

    virtual ~FileWriter() = default;
    virtual void write(Job job) = 0;
    // For each write finished since the last call, in the order given: what came of it.
    virtual std::vector<Outcome> finished() = 0;
    // Blocks until every write given so far has finished.
    virtual void wait() = 0;
};

// One write as every writer makes it: the replace, then a look at the file it displaced, which
// is removed when it was the one expected.
FileWriter::Outcome writeReplacing(FileSystem& files, const FileWriter::Job& job);

} // namespace vesk
