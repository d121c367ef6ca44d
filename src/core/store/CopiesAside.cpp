#include "core/store/CopiesAside.hpp"

#include <chrono>

namespace vesk {

namespace {

// Copies made in one second before giving up: far more than one second brings.
constexpr int maxCopiesPerSecond = 20;

} // namespace

template <class Make>
CopiesAside::Kept CopiesAside::underFreeName(const std::filesystem::path& dataFile, std::string_view kind,
                                             Make make) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(clock_.now().time_since_epoch());
    auto stem = dataFile;
    stem += "." + std::string(kind) + "-" + std::to_string(seconds.count());
    std::string failure;
    for (int number = 1; number <= maxCopiesPerSecond; ++number) {
        auto copy = stem;
        if (number > 1) copy += "-" + std::to_string(number);
        const FileCreation made = make(copy);
        if (made) return {std::move(copy), {}};
        // Only a name already taken is worth another try.
        if (!files_.exists(copy)) return {std::nullopt, made.failure};
        failure = made.failure;
    }
    return {std::nullopt, failure};
}

CopiesAside::Kept CopiesAside::keep(const std::filesystem::path& dataFile, std::string_view kind,
                                    const std::string& bytes) {
    return underFreeName(dataFile, kind, [&](const std::filesystem::path& copy) {
        // A copy already holding these very bytes will do.
        if (files_.holds(copy, bytes)) return FileCreation{true, {}};
        // No more open than the data file: what it holds is the user's.
        return files_.createNew(copy, bytes, dataFile);
    });
}

CopiesAside::Kept CopiesAside::moveAside(const std::filesystem::path& dataFile, std::string_view kind,
                                         const std::filesystem::path& file) {
    return underFreeName(dataFile, kind,
                         [&](const std::filesystem::path& copy) { return files_.rename(file, copy); });
}

} // namespace vesk
