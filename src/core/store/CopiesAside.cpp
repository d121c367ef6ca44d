#include "core/store/CopiesAside.hpp"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <iostream>
#include <tuple>
#include <vector>

namespace vesk {

namespace {

// Copies made in one second before giving up: far more than one second brings.
constexpr int maxCopiesPerSecond = 20;
constexpr std::int64_t hourSeconds = 3600;
// What a file takes on the disk: whole blocks of the common size.
constexpr std::uint64_t blockBytes = 4096;
// Every kind of copy there is, the only names that are ever removed.
constexpr std::string_view kinds[] = {"corrupt", "before-merge"};

std::uint64_t onDisk(std::uint64_t bytes) {
    return (bytes + blockBytes - 1) / blockBytes * blockBytes;
}

std::filesystem::path folderOf(const std::filesystem::path& dataFile) {
    const auto folder = dataFile.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// A copy of the data file as its name tells it.
struct CopyName {
    std::string_view kind;
    std::int64_t seconds = 0;
    int number = 1;
};

// Decimal digits and nothing else, the whole of `text`.
template <class Number> std::optional<Number> wholeNumber(std::string_view text) {
    Number value{};
    if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// Exactly "<data file>.<kind>-<seconds>" or "...-<seconds>-<2 to 20>", and nothing else.
std::optional<CopyName> copyName(std::string_view name, std::string_view dataName) {
    if (!name.starts_with(dataName) || name.substr(dataName.size(), 1) != ".") return std::nullopt;
    name.remove_prefix(dataName.size() + 1);
    for (const std::string_view kind : kinds) {
        if (!name.starts_with(kind) || name.substr(kind.size(), 1) != "-") continue;
        const std::string_view stamp = name.substr(kind.size() + 1);
        const auto dash = stamp.find('-');
        const auto seconds = wholeNumber<std::int64_t>(stamp.substr(0, dash));
        if (!seconds) return std::nullopt;
        if (dash == std::string_view::npos) return CopyName{kind, *seconds, 1};
        const auto number = wholeNumber<int>(stamp.substr(dash + 1));
        if (!number || *number < 2 || *number > maxCopiesPerSecond) return std::nullopt;
        return CopyName{kind, *seconds, *number};
    }
    return std::nullopt;
}

struct FoundCopy {
    OwnFile file;
    CopyName name;
};

std::vector<FoundCopy> copiesOf(FileSystem& files, const std::filesystem::path& dataFile) {
    const std::string dataName = dataFile.filename().string();
    std::vector<FoundCopy> found;
    for (OwnFile& file : files.ownFilesIn(folderOf(dataFile))) {
        const std::string name = file.path.filename().string();
        if (const auto parsed = copyName(name, dataName)) {
            // The kind points into the constant list, not into the name about to go.
            found.push_back({std::move(file), *parsed});
        }
    }
    // Oldest first.
    std::sort(found.begin(), found.end(), [](const FoundCopy& a, const FoundCopy& b) {
        return std::tie(a.name.seconds, a.name.number) < std::tie(b.name.seconds, b.name.number);
    });
    return found;
}

std::int64_t secondsOf(Date date) {
    return std::chrono::duration_cast<std::chrono::seconds>(date.time_since_epoch()).count();
}

} // namespace

template <class Make>
CopiesAside::Kept CopiesAside::underFreeName(const std::filesystem::path& dataFile, std::string_view kind,
                                             Make make) {
    auto stem = dataFile;
    stem += "." + std::string(kind) + "-" + std::to_string(secondsOf(clock_.now()));
    NotKept failure;
    for (int number = 1; number <= maxCopiesPerSecond; ++number) {
        auto copy = stem;
        if (number > 1) copy += "-" + std::to_string(number);
        const FileCreation made = make(copy);
        if (made) {
            trim(dataFile, copy);
            return copy;
        }
        failure.reason = made.reason();
        // Only a name already taken is worth another try.
        if (!files_.exists(copy)) break;
    }
    return failure;
}

std::optional<std::string> CopiesAside::heldBack(const std::filesystem::path& dataFile, std::string_view kind,
                                                 std::uint64_t bytes, std::uint64_t saveBytes,
                                                 WaitingPass pass) {
    const std::vector<FoundCopy> copies = copiesOf(files_, dataFile);
    const std::int64_t now = secondsOf(clock_.now());
    const auto recent = std::count_if(copies.begin(), copies.end(), [&](const FoundCopy& copy) {
        return copy.name.kind == kind && copy.name.seconds > now - hourSeconds && copy.name.seconds <= now;
    });
    if (pass == WaitingPass::ordinary && recent >= copiesPerHour)
        return std::to_string(recent) + " were kept in the last hour already";
    const auto free = files_.freeBytes(folderOf(dataFile));
    if (free && *free <= onDisk(bytes) + onDisk(saveBytes))
        return "the disk has no room for it as well as for the save, which goes first";
    return std::nullopt;
}

CopiesAside::Kept CopiesAside::write(const std::filesystem::path& dataFile, std::string_view kind,
                                     const std::string& bytes) {
    return underFreeName(dataFile, kind, [&](const std::filesystem::path& copy) {
        // A copy already holding these very bytes will do.
        if (files_.holds(copy, bytes)) return FileCreation{};
        // No more open than the data file: what it holds is the user's.
        return files_.createNew(copy, bytes, dataFile);
    });
}

CopiesAside::Kept CopiesAside::keep(const std::filesystem::path& dataFile, std::string_view kind,
                                    const std::string& bytes, std::uint64_t saveBytes) {
    if (auto why = heldBack(dataFile, kind, bytes.size(), saveBytes, WaitingPass::ordinary)) {
        // The newest state of a kind waits: the older ones of the hour are on the disk already.
        waiting_.insert_or_assign(std::string(kind), bytes);
        return NotKept{{std::move(*why)}, true};
    }
    return write(dataFile, kind, bytes);
}

CopiesAside::Kept CopiesAside::moveAside(const std::filesystem::path& dataFile, std::string_view kind,
                                         const std::filesystem::path& file) {
    return underFreeName(dataFile, kind,
                         [&](const std::filesystem::path& copy) { return files_.rename(file, copy); });
}

void CopiesAside::keepWaiting(const std::filesystem::path& dataFile, std::uint64_t saveBytes,
                              WaitingPass pass) {
    const bool quit = pass == WaitingPass::atQuit;
    for (auto it = waiting_.begin(); it != waiting_.end();) {
        const auto& [kind, bytes] = *it;
        const auto why = heldBack(dataFile, kind, bytes.size(), saveBytes, pass);
        const Kept kept = why ? Kept(NotKept{}) : write(dataFile, kind, bytes);
        if (kept)
            std::cerr << "vesk: the " << kind << " copy of " << dataFile.string()
                      << " that waited is kept as " << kept->string() << "\n";
        else if (quit)
            std::cerr << "vesk: the " << kind << " copy of " << dataFile.string()
                      << " that waited cannot be kept: " << (why ? *why : kept.reason()) << "\n";
        it = kept || quit ? waiting_.erase(it) : std::next(it);
    }
}

void CopiesAside::trim(const std::filesystem::path& dataFile, const std::filesystem::path& kept) {
    std::vector<FoundCopy> copies = copiesOf(files_, dataFile);
    std::uint64_t bytes = 0;
    for (const FoundCopy& copy : copies)
        bytes += copy.file.size;
    std::size_t count = copies.size();
    for (const FoundCopy& copy : copies) {
        if (count <= mostCopies && bytes <= mostCopyBytes) break;
        if (copy.file.path.filename() == kept.filename() || !files_.remove(copy.file.path)) continue;
        --count;
        bytes -= copy.file.size;
    }
}

} // namespace vesk
