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
    // The edit holds every list and task: what the next edit may be based on.
    bool whole = false;
};

// What of the store's a merge takes away: tasks and lists it held, and its own changes since
// the edit's base put back, one entry for each task or list ("\"Buy milk\" (completedAt)").
struct MergeLoss {
    std::size_t tasks = 0;
    std::size_t lists = 0;
    std::vector<std::string> putBack;

    bool any() const { return tasks > 0 || lists > 0 || !putBack.empty(); }
};

// Keeps the store's document as it stands before a merge that takes away what it says; false
// when no copy can be made.
using KeepBefore = std::function<bool(const std::string& document, const MergeLoss& loss)>;

// Merges another program's document into the store. `bases` are the documents that program may
// have read (those it was seen reading, else the ones last on the disk; the first wins among
// equals; none may be known): the one the edit differs least from is taken as what it changed,
// so that a program writing back what it read seconds ago takes away only what it took away.
using MergeEdit = std::function<MergeOutcome(
    const std::string& bytes, const std::vector<FileWriter::Bytes>& bases, const KeepBefore& keepBefore)>;

} // namespace vesk
