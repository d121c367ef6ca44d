#include "core/store/CopiesAside.hpp"

#include <chrono>

namespace vesk {

namespace {

// Copies made in one second before giving up: far more than one second brings.
constexpr int maxCopiesPerSecond = 20;

} // namespace

CopiesAside::Kept CopiesAside::keep(const std::filesystem::path& dataFile, std::string_view kind,
                                    const std::string& bytes) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(clock_.now().time_since_epoch());
    auto stem = dataFile;
    stem += "." + std::string(kind) + "-" + std::to_string(seconds.count());
    std::string failure;
    for (int number = 1; number <= maxCopiesPerSecond; ++number) {
        auto copy = stem;
        if (number > 1) copy += "-" + std::to_string(number);
        const FileCreation created = files_.createNew(copy, bytes);
        if (created) return {std::move(copy), {}};
        if (files_.holds(copy, bytes)) return {std::move(copy), {}};
        // Only a name already taken is worth another try.
        if (!files_.exists(copy)) return {std::nullopt, created.failure};
        failure = created.failure;
    }
    return {std::nullopt, failure};
}

} // namespace vesk
