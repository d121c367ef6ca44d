#pragma once

#include "core/model/Date.hpp"
#include "core/model/Snapshot.hpp"
#include "core/runtime/Result.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

class RandomSource;

// The bytes of data.json, the pretty-printed document with the keys of every object sorted.
// The same snapshot always gives the same bytes. Invalid UTF-8 in a text is written as U+FFFD,
// so that a bad title can never make saving fail.
std::string encodeSnapshot(const Snapshot& snapshot);
std::string encodeSnapshot(const SnapshotParts& parts);

// Why a document stopped decoding, and where.
struct DecodeFailure : Failure {
    std::size_t offset = 0; // bytes from the start
};

// Where and why, as a person reads it: "line 3, column 14: expected a string".
std::string describe(const DecodeFailure& failure, std::string_view bytes);

// Reads a whole document, all or nothing: a missing required key, a wrongly typed value or a
// value that does not parse anywhere gives nothing. Counts must be JSON integers that fit in
// 64 bits (seeds: 0 to 2^64 - 1); a fraction, an exponent form or a number beyond the range
// is a wrongly typed value. `now` is the creation date of a task read
// without one; `ids` makes the ids of tasks read without one (the kernel's source when null).
// Where a document that does not decode stopped goes to `failure`, when given.
std::optional<Snapshot> decodeSnapshot(std::string_view bytes, Date now, RandomSource* ids = nullptr,
                                       DecodeFailure* failure = nullptr);

// The lists and tasks of a document, read with the same element rules and ignoring every
// other key. Each is nothing when its key is missing or null, and may be an empty array.
struct ListsAndTasks {
    std::optional<std::vector<TaskList>> lists;
    std::optional<std::vector<TaskItem>> tasks;
    // The document's own members that a Snapshot does not know either.
    UnknownMembers unknown{};
};

std::optional<ListsAndTasks> decodeListsAndTasks(std::string_view bytes, Date now,
                                                 RandomSource* ids = nullptr);

} // namespace vesk
