#include "FuzzCheck.hpp"
#include "core/model/DocumentCoding.hpp"
#include "support/TreeDocumentWriter.hpp"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace vesk;

// An accepted document re-encodes to bytes that read back to the same model, encoding is stable,
// and the streaming writer gives exactly what the tree dump gave.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Date now = dateFromUnixSeconds(1'800'000'000);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto first = decodeSnapshot(bytes, now);
    if (!first) return 0;
    const std::string encoded = encodeSnapshot(*first);
    fuzz::require(encodeSnapshot(*first) == encoded, "encoding the same model twice differs");
    fuzz::require(test::encodeThroughTree(*first) == encoded, "the writer differs from the tree dump");
    const auto second = decodeSnapshot(encoded, now);
    fuzz::require(second.has_value(), "re-encoded document is rejected");
    fuzz::require(fuzz::sameSnapshot(*first, *second), "round trip changes the model");
    fuzz::require(encodeSnapshot(*second) == encoded, "round trip changes the bytes");
    return 0;
}
