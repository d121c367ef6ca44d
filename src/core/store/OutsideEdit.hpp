#pragma once

#include "core/runtime/FileWriter.hpp"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace vesk {

// What merging another program's document into the store came to.
struct MergeOutcome {
    enum class Status {
        merged,
        undecodable, // nothing changed
        // Nothing changed: the merge would remove what the store holds, and the document as it
        // stands could not be kept beside the file first.
        deferred,
    };
    Status status = Status::undecodable;
    // Which of the documents it may have been based on it was found to be based on.
    std::size_t base = 0;
};

// Keeps the store's document as it stands before a merge that removes `tasks` tasks and `lists`
// lists it holds; false when no copy can be made.
using KeepBefore = std::function<bool(const std::string& document, std::size_t tasks, std::size_t lists)>;

// Merges another program's document into the store. `bases` are the documents that program may
// have read (the ones last on the disk, likeliest first; none may be known): the one the edit
// differs least from is taken as what it changed, so that a program writing back what it read
// seconds ago takes away only what it took away.
using MergeEdit = std::function<MergeOutcome(
    const std::string& bytes, const std::vector<FileWriter::Bytes>& bases, const KeepBefore& keepBefore)>;

} // namespace vesk
