#include "core/model/DocumentCoding.hpp"

#include "core/model/DocumentReader.hpp"
#include "core/model/DocumentWriter.hpp"

namespace vesk {
namespace {

// The parsed document, or null for bytes that are not JSON (invalid UTF-8 included).
std::optional<nlohmann::json> parse(std::string_view bytes) {
    nlohmann::json value = nlohmann::json::parse(bytes, nullptr, /*allow_exceptions=*/false);
    if (value.is_discarded()) return std::nullopt;
    return value;
}

template <class Result>
std::optional<Result> decode(std::string_view bytes, const ReadContext& context,
                             Result (*read)(const nlohmann::json&, const ReadContext&)) {
    const auto value = parse(bytes);
    if (!value) return std::nullopt;
    try {
        return read(*value, context);
    } catch (const DocumentError&) {
        return std::nullopt;
    }
}

} // namespace

std::string encodeSnapshot(const Snapshot& snapshot) {
    return writeSnapshot(snapshot);
}

std::string encodeSnapshot(const SnapshotParts& parts) {
    return writeSnapshot(parts);
}

std::optional<Snapshot> decodeSnapshot(std::string_view bytes, Date now, RandomSource* ids) {
    return decode(bytes, ReadContext{now, ids}, readSnapshot);
}

std::optional<ListsAndTasks> decodeListsAndTasks(std::string_view bytes, Date now, RandomSource* ids) {
    return decode(bytes, ReadContext{now, ids}, readListsAndTasks);
}

} // namespace vesk
