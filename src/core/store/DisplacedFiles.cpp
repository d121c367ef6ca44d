#include "core/store/DisplacedFiles.hpp"

#include <iostream>

namespace vesk {

namespace {

// Where it cannot be told whether another program still writes into a displaced file: how
// long after its last change it is watched.
constexpr double quietWatchSeconds = 10.0;

} // namespace

DisplacedFiles::DisplacedFiles(FileSystem& files, const Clock& clock, CopiesAside& copies,
                               const std::filesystem::path& dataFile, Merge merge)
    : disk_(files), clock_(clock), copies_(copies), dataFile_(dataFile), merge_(std::move(merge)) {}

void DisplacedFiles::add(std::filesystem::path path, std::string bytes, bool known, FileWriter::Bytes base,
                         std::optional<std::filesystem::path> copy) {
    File& file = files_.emplace_back(
        File{std::move(path), std::move(bytes), std::move(base), known, clock_.now(), std::move(copy)});
    if (!known) merge(file);
}

void DisplacedFiles::merge(File& file) {
    if (file.base && file.seen == *file.base) {
        file.settled = true;
        return;
    }
    if (merge_(file.seen, file.base).status != MergeOutcome::Status::merged) return;
    file.base = std::make_shared<const std::string>(file.seen);
    file.settled = true;
    // The copy of its unfinished state is not needed once the whole of it is merged.
    if (file.copy) {
        disk_.remove(*file.copy);
        file.copy.reset();
    }
}

bool DisplacedFiles::wantsTimer() const {
    for (const File& file : files_)
        if (disk_.isOpenForWriting(file.path) != true) return true;
    return false;
}

bool DisplacedFiles::beingWritten(const File& file, Date now) {
    if (const auto open = disk_.isOpenForWriting(file.path)) return *open;
    return secondsBetween(file.changedAt, now) < quietWatchSeconds;
}

void DisplacedFiles::look(WaitingPass pass) {
    const bool quit = pass == WaitingPass::atQuit;
    const Date now = clock_.now();
    std::erase_if(files_, [&](File& file) {
        FileRead read = disk_.read(file.path);
        // Gone, or no longer ours to read: nothing left to look at.
        if (!read.ok()) return true;
        if (*read != file.seen) {
            file.seen = std::move(*read);
            file.changedAt = now;
            file.settled = false;
            merge(file);
        }
        const bool writing = beingWritten(file, now);
        if (writing && !quit) return false;
        return letGo(file, writing) || quit;
    });
}

bool DisplacedFiles::letGo(File& file, bool writing) {
    const bool copied = file.copy && disk_.holds(*file.copy, file.seen);
    if (!writing && (file.seen.empty() || file.settled || copied)) {
        disk_.remove(file.path);
        return true;
    }
    // A rename needs no room on the disk, and whoever still writes into it writes on into the copy.
    const CopiesAside::Kept kept = copies_.moveAside(dataFile_, "corrupt", file.path);
    if (!kept) return false;
    std::cerr << "vesk: another program's write to " << dataFile_.string()
              << (writing ? " was still going on at quit" : " never came to a whole document")
              << "; it is kept as " << kept->string() << "\n";
    return true;
}

} // namespace vesk
