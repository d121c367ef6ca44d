#include "support/FakeFileSystem.hpp"

namespace vesk::test {

FileRead FakeFileSystem::read(const std::filesystem::path& path) {
    if (failingReads.contains(key(path)) || folders_.contains(key(path)))
        return ReadFailure{{folders_.contains(key(path)) ? "Is a directory" : readFailure}, false};
    const auto found = files_.find(key(path));
    if (found == files_.end()) return ReadFailure{{}, true};
    return found->second;
}

bool FakeFileSystem::writeAtomically(const std::filesystem::path& path, std::string_view bytes) {
    const auto target = key(path);
    if (failAllWrites || failingWrites.contains(target) || !hasFolder(target.parent_path()) ||
        folders_.contains(target) || !fits(bytes.size()))
        return false;
    files_[target] = std::string(bytes);
    ++writes_[target];
    changed(target);
    return true;
}

Replacement FakeFileSystem::replace(const std::filesystem::path& path, std::string_view bytes,
                                    const std::string* expected) {
    const auto target = key(path);
    const auto old = contents(target);
    if (folders_.contains(target)) return NotReplaced{{"Is a directory"}, false};
    if (!exchanges && (expected ? old != *expected : old.has_value())) return NotReplaced{{}, true};
    if (!writeAtomically(target, bytes)) return NotReplaced{{failure}, false};
    if (!exchanges || !old) return Replaced{};
    auto displaced = target.parent_path() /
                     ("." + target.filename().string() + ".tmp-fake-" + std::to_string(++displacedCount_));
    files_[displaced] = *old;
    if (heldOpen_.erase(target)) heldOpen_.insert(displaced);
    return Replaced{std::move(displaced)};
}

bool FakeFileSystem::remove(const std::filesystem::path& path) {
    if (files_.erase(key(path)) == 0) return false;
    changed(key(path));
    return true;
}

FileCreation FakeFileSystem::createNew(const std::filesystem::path& path, std::string_view bytes,
                                       const std::filesystem::path&) {
    const auto target = key(path);
    if (exists(target)) return Failure{"File exists"};
    if (failAllWrites || failingWrites.contains(target) || !hasFolder(target.parent_path()) ||
        !fits(bytes.size()))
        return Failure{failure};
    files_[target] = std::string(bytes);
    changed(target);
    return {};
}

FileCreation FakeFileSystem::rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    const auto source = key(from);
    const auto target = key(to);
    if (exists(target)) return Failure{"File exists"};
    const auto found = files_.find(source);
    if (found == files_.end()) return Failure{"No such file or directory"};
    if (!hasFolder(target.parent_path())) return Failure{"No such file or directory"};
    files_[target] = std::move(found->second);
    files_.erase(source);
    if (heldOpen_.erase(source)) heldOpen_.insert(target);
    changed(target);
    return {};
}

std::optional<bool> FakeFileSystem::isOpenForWriting(const std::filesystem::path& path) {
    if (cannotTell) return std::nullopt;
    return heldOpen_.contains(key(path));
}

void FakeFileSystem::close(const std::filesystem::path& path) {
    heldOpen_.erase(key(path));
    changed(key(path));
}

bool FakeFileSystem::createDirectories(const std::filesystem::path& folder) {
    const auto target = key(folder);
    if (hasFolder(target)) return true;
    if (failFolderCreation) return false;
    for (auto part = target; !part.empty() && part != part.parent_path(); part = part.parent_path()) {
        if (files_.contains(part)) return false;
    }
    for (auto part = target; !part.empty() && part != part.parent_path(); part = part.parent_path())
        folders_.insert(part);
    return true;
}

bool FakeFileSystem::exists(const std::filesystem::path& path) {
    const auto target = key(path);
    return files_.contains(target) || folders_.contains(target);
}

void FakeFileSystem::put(const std::filesystem::path& path, std::string bytes) {
    const auto target = key(path);
    for (auto part = target.parent_path(); !part.empty() && part != part.parent_path();
         part = part.parent_path())
        folders_.insert(part);
    files_[target] = std::move(bytes);
    changed(target);
}

std::optional<std::string> FakeFileSystem::contents(const std::filesystem::path& path) const {
    const auto found = files_.find(key(path));
    if (found == files_.end()) return std::nullopt;
    return found->second;
}

bool FakeFileSystem::hasFolder(const std::filesystem::path& folder) const {
    return folders_.contains(key(folder));
}

bool FakeFileSystem::removeFolder(const std::filesystem::path& folder) {
    const auto target = key(folder);
    for (const auto& [path, bytes] : files_)
        if (path.parent_path() == target) return false;
    for (const auto& inner : folders_)
        if (inner.parent_path() == target && inner != target) return false;
    if (folders_.erase(target) == 0) return false;
    changed(target);
    return true;
}

std::vector<std::filesystem::path> FakeFileSystem::filesIn(const std::filesystem::path& folder) const {
    std::vector<std::filesystem::path> result;
    for (const auto& [path, bytes] : files_)
        if (path.parent_path() == key(folder)) result.push_back(path);
    return result;
}

std::size_t FakeFileSystem::writeCount(const std::filesystem::path& path) const {
    const auto found = writes_.find(key(path));
    return found == writes_.end() ? 0 : found->second;
}

std::vector<OwnFile> FakeFileSystem::ownFilesIn(const std::filesystem::path& folder) {
    std::vector<OwnFile> result;
    for (const auto& [path, bytes] : files_)
        if (path.parent_path() == key(folder) && !othersFiles.contains(path))
            result.push_back({path, bytes.size()});
    return result;
}

std::optional<std::uint64_t> FakeFileSystem::freeBytes(const std::filesystem::path&) {
    if (!capacity) return std::nullopt;
    std::uint64_t used = 0;
    for (const auto& [path, bytes] : files_)
        used += bytes.size();
    return used < *capacity ? *capacity - used : 0;
}

bool FakeFileSystem::fits(std::size_t bytes) {
    return !capacity || *freeBytes("/") >= bytes;
}

void FakeFileSystem::changed(const std::filesystem::path& path) {
    if (onChange) onChange(path);
}

} // namespace vesk::test
