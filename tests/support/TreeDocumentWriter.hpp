#pragma once

#include "core/model/Snapshot.hpp"

#include <nlohmann/json.hpp>
#include <string>

namespace vesk::test {

// The document as the program first wrote it: a nlohmann tree of the snapshot, dumped with
// sorted keys, the members this program does not know compact on their keys' lines. The
// streaming writer must give exactly these bytes; tests and the snapshot fuzz target compare
// the two.
nlohmann::json treeOfSnapshot(const Snapshot& snapshot);
std::string encodeThroughTree(const Snapshot& snapshot);

} // namespace vesk::test
