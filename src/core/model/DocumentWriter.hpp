#pragma once

#include "core/model/Snapshot.hpp"

#include <string>

namespace vesk {

// The document's JSON of a snapshot, written straight from the models with no tree in between:
// every field under its key, optional fields only when set, dates in the document's form and
// never a number that is not finite. The form is nlohmann's pretty print, byte for byte: keys
// sorted, two spaces of indent per level, its shortest round-trip numbers, and every ill-formed
// UTF-8 sequence in a text replaced by U+FFFD.
std::string writeSnapshot(const Snapshot& snapshot);
std::string writeSnapshot(const SnapshotParts& parts);

} // namespace vesk
