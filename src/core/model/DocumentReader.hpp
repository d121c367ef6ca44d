#pragma once

#include "core/model/DocumentLayout.hpp"

#include <cstddef>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vesk {

// A rule of the document that a value breaks. Thrown only while reading and turned into
// "no document" by the decode functions.
struct DocumentError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Model values from parsed JSON by the document's rules: required keys, defaults for the
// lenient types, null as missing, unknown keys ignored. Throw DocumentError.
Snapshot readSnapshot(const nlohmann::json& value, const ReadContext& context);
ListsAndTasks readListsAndTasks(const nlohmann::json& value, const ReadContext& context);

// How deep arrays and objects may nest in a document, the document itself counting as one: a
// deeper one is refused as one that does not decode. No document of this program comes near it,
// and a value nested without end would take the stack of whatever walks it.
inline constexpr std::size_t maximumNesting = 512;

// How a member this program does not know is kept, and written back: its value as compact
// JSON, as the tree gives it (keys sorted, nlohmann's numbers), whichever reader found it.
std::string compactJson(const nlohmann::json& value);
std::string compactJson(std::string_view text);

} // namespace vesk
