#include "core/store/RememberedStates.hpp"

#include <algorithm>

namespace vesk {

namespace {

constexpr std::size_t keptDocuments = 8;
constexpr std::size_t keptBytes = std::size_t{32} << 20;
// Documents seen read that stay whatever follows: the editors and scripts open at once.
constexpr std::size_t keptReads = 4;

} // namespace

void RememberedStates::remember(FileWriter::Bytes document) {
    if (!document || (!states_.empty() && *states_.back().bytes == *document)) return;
    states_.push_back({std::move(document)});
    forgetOld();
}

void RememberedStates::noteRead(const FileWriter::Bytes& document) {
    if (!document) return;
    const auto found = std::find_if(states_.rbegin(), states_.rend(),
                                    [&](const State& state) { return *state.bytes == *document; });
    if (found == states_.rend()) return;
    found->readAt = ++reads_;
    forgetOld();
}

bool RememberedStates::readSeen() const {
    return std::any_of(states_.begin(), states_.end(), [](const State& state) { return state.readAt > 0; });
}

std::vector<FileWriter::Bytes> RememberedStates::bases() const {
    const bool read = readSeen();
    std::vector<FileWriter::Bytes> found;
    for (const State& state : states_)
        if (!read || state.readAt > 0) found.push_back(state.bytes);
    return found;
}

void RememberedStates::forgetOld() {
    // Only the last few reads keep their documents.
    std::vector<std::size_t> reads;
    for (const State& state : states_)
        if (state.readAt > 0) reads.push_back(state.readAt);
    std::sort(reads.begin(), reads.end());
    const std::size_t firstKeptRead = reads.size() > keptReads ? reads[reads.size() - keptReads] : 0;
    for (State& state : states_)
        if (state.readAt < firstKeptRead) state.readAt = 0;

    std::size_t bytes = 0;
    for (const State& state : states_)
        bytes += state.bytes->size();
    // The oldest unread go first; the newest always stays.
    for (auto at = states_.begin(); at + 1 < states_.end() && (states_.size() > keptDocuments || bytes > keptBytes);) {
        if (at->readAt > 0) {
            ++at;
            continue;
        }
        bytes -= at->bytes->size();
        at = states_.erase(at);
    }
}

} // namespace vesk
