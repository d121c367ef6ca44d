#pragma once

#include "core/model/Snapshot.hpp"

#include <nlohmann/json.hpp>

namespace vesk {

// The JSON of a snapshot by the document's rules: every field under its key, optional fields
// only when set, dates in the document's form, and never a number that is not finite.
nlohmann::json writeSnapshot(const Snapshot& snapshot);

} // namespace vesk
