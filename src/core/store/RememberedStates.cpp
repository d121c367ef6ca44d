#include "core/store/RememberedStates.hpp"

#include <algorithm>

namespace vesk {

namespace {

constexpr std::size_t keptDocuments = 8;
constexpr std::size_t keptBytes = std::size_t{32} << 20;

} // namespace

void RememberedStates::remember(FileWriter::Bytes document) {
    if (!document || (!states_.empty() && *states_.back() == *document)) return;
    states_.push_back(std::move(document));
    std::size_t bytes = 0;
    for (const auto& kept : states_)
        bytes += kept->size();
    while (states_.size() > 1 && (states_.size() > keptDocuments || bytes > keptBytes)) {
        bytes -= states_.front()->size();
        states_.pop_front();
    }
}

void RememberedStates::noteRead(const FileWriter::Bytes& document) {
    if (!document) return;
    const auto found = std::find_if(states_.rbegin(), states_.rend(),
                                    [&](const FileWriter::Bytes& state) { return state == document || *state == *document; });
    if (found != states_.rend()) lastRead_ = *found;
}

std::vector<FileWriter::Bytes> RememberedStates::bases() const {
    if (lastRead_) return {lastRead_};
    return {states_.begin(), states_.end()};
}

} // namespace vesk
