#pragma once

#include "core/runtime/Clock.hpp"
#include "core/runtime/FileSystem.hpp"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// An ordinary pass over what waits, or the last one, at quit, after which nothing may wait.
enum class WaitingPass { ordinary, atQuit };

// Copies of a document kept beside the data file, under the data file's name, a dot, what the
// copy is ("corrupt", "before-merge") and the time in whole seconds since 1970:
// "data.json.corrupt-1773057600". A copy never goes over another file; one that already holds
// the same bytes will do, and another copy in the same second takes "-2", "-3", ... after the
// seconds.
//
// They are bounded, as a program rewriting the file all day would otherwise fill the disk:
// at most copiesPerHour of one kind are written in an hour, and of all of them together the
// oldest go once there are more than mostCopies or more than mostCopyBytes. Only files under
// exactly these names, plain and the user's own, are ever removed. A copy is written only where
// the disk holds it and the save that follows it too: otherwise, as beyond the hourly bound,
// it waits (the newest of a kind, in memory) until a later save finds room and the hour over.
class CopiesAside {
  public:
    static constexpr int copiesPerHour = 4;
    static constexpr std::size_t mostCopies = 20;
    static constexpr std::uint64_t mostCopyBytes = std::uint64_t{50} << 20;

    CopiesAside(FileSystem& files, const Clock& clock) : files_(files), clock_(clock) {}

    // Why no copy is made now: it waits for the bounds, or it cannot be made.
    struct NotKept : Failure {
        bool waiting = false;

        bool operator==(const NotKept&) const = default;
    };
    // The copy.
    using Kept = Result<std::filesystem::path, NotKept>;
    static bool waits(const Kept& kept) { return !kept && kept.failure().waiting; }

    // `saveBytes`: the size of the save that comes after it, which the copy leaves room for.
    Kept keep(const std::filesystem::path& dataFile, std::string_view kind, const std::string& bytes,
              std::uint64_t saveBytes);
    // The file itself under such a name: one another program may still be writing into. A
    // rename takes no room and is never held back.
    Kept moveAside(const std::filesystem::path& dataFile, std::string_view kind,
                   const std::filesystem::path& file);
    // Writes the copies that wait, as far as the bounds let it now, and says so; at quit the
    // hourly bound holds none back, and one that still cannot be written is said lost.
    void keepWaiting(const std::filesystem::path& dataFile, std::uint64_t saveBytes,
                     WaitingPass pass = WaitingPass::ordinary);

  private:
    template <class Make>
    Kept underFreeName(const std::filesystem::path& dataFile, std::string_view kind, Make make);
    // Why a copy of `bytes` may not be written now; nothing when it may.
    std::optional<std::string> heldBack(const std::filesystem::path& dataFile, std::string_view kind,
                                        std::uint64_t bytes, std::uint64_t saveBytes, WaitingPass pass);
    Kept write(const std::filesystem::path& dataFile, std::string_view kind, const std::string& bytes);
    // Removes the oldest copies beyond the bounds, never `kept`.
    void trim(const std::filesystem::path& dataFile, const std::filesystem::path& kept);

    FileSystem& files_;
    const Clock& clock_;
    std::map<std::string, std::string, std::less<>> waiting_; // by kind
};

} // namespace vesk
