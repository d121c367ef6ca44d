#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace vesk {

// Atomic writes of whole files away from the main thread, one after another in the order
// given, so that the main thread never waits for the disk. Called from the main thread only.
class FileWriter {
  public:
    using Bytes = std::shared_ptr<const std::string>;

    virtual ~FileWriter() = default;
    virtual void write(std::filesystem::path path, Bytes bytes) = 0;
    // For each write finished since the last call, in the order given: whether it succeeded.
    virtual std::vector<bool> finished() = 0;
    // Blocks until every write given so far has finished.
    virtual void wait() = 0;
};

} // namespace vesk
