#pragma once

#include "core/model/DocumentLayout.hpp"

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

// How a member this program does not know is kept: its value as compact JSON, as the tree
// gives it (keys sorted, nlohmann's numbers), whichever reader found it.
std::string compactJson(const nlohmann::json& value);
std::string compactJson(std::string_view text);
// Such a value as the document lays it out: nlohmann's pretty print, from the first line's
// indent (here in the tree reader's file, beside the parser it needs).
std::string prettyJson(std::string_view compact);

} // namespace vesk
