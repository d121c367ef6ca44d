#pragma once

#include "core/runtime/Clock.hpp"
#include "core/runtime/FileSystem.hpp"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// Copies of a document kept beside the data file, under the data file's name, a dot, what the
// copy is ("corrupt") and the time in whole seconds since 1970: "data.json.corrupt-1773057600".
// A copy never goes over another file; one that already holds the same bytes will do, and
// another copy in the same second takes "-2", "-3", ... after the seconds.
class CopiesAside {
  public:
    CopiesAside(FileSystem& files, const Clock& clock) : files_(files), clock_(clock) {}

    struct Kept {
        std::optional<std::filesystem::path> path; // nothing when no copy could be made
        std::string failure;                       // then why, as a person reads it
    };
    Kept keep(const std::filesystem::path& dataFile, std::string_view kind, const std::string& bytes);
    // The file itself under such a name: one another program may still be writing into.
    Kept moveAside(const std::filesystem::path& dataFile, std::string_view kind,
                   const std::filesystem::path& file);

  private:
    template <class Make>
    Kept underFreeName(const std::filesystem::path& dataFile, std::string_view kind, Make make);

    FileSystem& files_;
    const Clock& clock_;
};

} // namespace vesk
