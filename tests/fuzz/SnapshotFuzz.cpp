#include "FuzzCheck.hpp"
#include "core/model/DocumentCoding.hpp"
#include "support/TreeDocumentWriter.hpp"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace vesk;

namespace {

// Every member this program does not know, of the document, its lists and its tasks, is in the
// bytes as it was kept: compact, never laid out anew by depth.
void requireUnknownWrittenCompact(const Snapshot& snapshot, const std::string& encoded) {
    std::vector<const UnknownMembers*> kept = {&snapshot.unknown};
    for (const TaskList& list : snapshot.lists)
        kept.push_back(&list.unknown);
    for (const TaskItem& task : snapshot.tasks)
        kept.push_back(&task.unknown);
    for (const UnknownMembers* members : kept)
        for (const auto& [key, value] : *members)
            fuzz::require(encoded.find(value) != std::string::npos,
                          "a kept member is not written back as kept");
}

} // namespace

// An accepted document re-encodes to bytes that read back to the same model, encoding is stable,
// the streaming writer gives exactly what the tree dump gave, and what is kept of other programs'
// members, at whatever depth, is written back compact.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Date now = dateFromUnixSeconds(1'800'000'000);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto first = decodeSnapshot(bytes, now);
    if (!first) return 0;
    const std::string encoded = encodeSnapshot(*first);
    fuzz::require(encodeSnapshot(*first) == encoded, "encoding the same model twice differs");
    fuzz::require(test::encodeThroughTree(*first) == encoded, "the writer differs from the tree dump");
    requireUnknownWrittenCompact(*first, encoded);
    const auto second = decodeSnapshot(encoded, now);
    fuzz::require(second.has_value(), "re-encoded document is rejected");
    fuzz::require(fuzz::sameSnapshot(*first, *second), "round trip changes the model");
    fuzz::require(encodeSnapshot(*second) == encoded, "round trip changes the bytes");
    return 0;
}
