#include "core/model/DocumentCoding.hpp"

#include "core/model/DocumentReader.hpp"
#include "core/model/DocumentStreamReader.hpp"
#include "core/model/DocumentWriter.hpp"
#include "core/runtime/RandomSource.hpp"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vesk {
namespace {

// The parsed document, or null for bytes that are not JSON (invalid UTF-8 included) or that
// nest deeper than a document may.
std::optional<nlohmann::json> parse(std::string_view bytes) {
    struct TooDeep {};
    const auto bounded = [](int depth, nlohmann::json::parse_event_t event, const nlohmann::json&) {
        // The depth of the container that starts, the document itself at 0.
        const bool starts = event == nlohmann::json::parse_event_t::object_start ||
                            event == nlohmann::json::parse_event_t::array_start;
        if (starts && static_cast<std::size_t>(depth) >= maximumNesting) throw TooDeep{};
        return true;
    };
    try {
        nlohmann::json value = nlohmann::json::parse(bytes, bounded, /*allow_exceptions=*/false);
        if (value.is_discarded()) return std::nullopt;
        return value;
    } catch (const TooDeep&) {
        return std::nullopt;
    }
}

// The ids a first reading drew from a source, handed out again to a second reading of the same
// bytes before drawing new ones: the tree settles a document as if it were the only reader.
class RepeatedIds final : public RandomSource {
  public:
    explicit RepeatedIds(RandomSource* source) : source_(source) {}

    // Null for the kernel's source, which nobody can tell from a repetition.
    RandomSource* source() { return source_ ? this : nullptr; }
    void repeat() { repeated_ = 0; }

    std::uint64_t next() override {
        if (repeated_ && *repeated_ < drawn_.size()) return drawn_[(*repeated_)++];
        const std::uint64_t value = source_->next();
        if (!repeated_) drawn_.push_back(value);
        return value;
    }

  private:
    RandomSource* source_;
    std::vector<std::uint64_t> drawn_;
    std::optional<std::size_t> repeated_;
};

template <class Result> using Stream = std::optional<Result> (*)(std::string_view, const ReadContext&);
template <class Result> using TreeRead = Result (*)(const nlohmann::json&, const ReadContext&);

// Straight from the bytes; a broken rule or a key given twice goes to the tree reader.
template <class Result>
std::optional<Result> decode(std::string_view bytes, Date now, RandomSource* ids, Stream<Result> stream,
                             TreeRead<Result> readTree, DecodeFailure* failure = nullptr) {
    RepeatedIds repeatedIds(ids);
    try {
        // Where the stream stops is where the bytes first break a rule, which the tree cannot say.
        return stream(bytes, ReadContext{now, repeatedIds.source(), failure});
    } catch (const DocumentError&) {
    }
    repeatedIds.repeat();
    const auto value = parse(bytes);
    if (!value) return std::nullopt;
    try {
        return readTree(*value, ReadContext{now, repeatedIds.source()});
    } catch (const DocumentError&) {
        return std::nullopt;
    }
}

} // namespace

std::string describe(const DecodeFailure& failure, std::string_view bytes) {
    if (bytes.empty()) return "the file is empty";
    const std::string_view before = bytes.substr(0, std::min(failure.offset, bytes.size()));
    const auto line = 1 + std::count(before.begin(), before.end(), '\n');
    const auto lineStart = before.rfind('\n');
    const auto column = before.size() - (lineStart == std::string_view::npos ? 0 : lineStart + 1) + 1;
    const std::string reason = failure.offset >= bytes.size() ? "the document ends early" : failure.reason;
    return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + reason;
}

std::string encodeSnapshot(const Snapshot& snapshot) {
    return writeSnapshot(snapshot);
}

std::string encodeSnapshot(const SnapshotParts& parts) {
    return writeSnapshot(parts);
}

std::optional<Snapshot> decodeSnapshot(std::string_view bytes, Date now, RandomSource* ids,
                                       DecodeFailure* failure) {
    return decode<Snapshot>(bytes, now, ids, streamSnapshot, readSnapshot, failure);
}

std::optional<ListsAndTasks> decodeListsAndTasks(std::string_view bytes, Date now, RandomSource* ids) {
    return decode<ListsAndTasks>(bytes, now, ids, streamListsAndTasks, readListsAndTasks);
}

} // namespace vesk
