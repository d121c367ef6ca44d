#pragma once

#include "core/model/DocumentLayout.hpp"

#include <optional>
#include <string_view>

namespace vesk {

// Model values straight from the bytes of a document, by the rules of the tree reader
// (DocumentReader.hpp) and without building the tree: several times faster on a large file.
// Nothing for bytes that are not JSON (nlohmann's grammar, invalid UTF-8 included). Throws
// DocumentError for a value that breaks a rule and for a known key given twice, since the tree
// keeps the last of two (even over one that breaks a rule): the tree reader settles those.
std::optional<Snapshot> streamSnapshot(std::string_view bytes, const ReadContext& context);
std::optional<ListsAndTasks> streamListsAndTasks(std::string_view bytes, const ReadContext& context);

} // namespace vesk
