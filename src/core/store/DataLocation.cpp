#include "core/store/DataLocation.hpp"

#include <cstdlib>
#include <system_error>
#include <vector>

namespace vesk {

namespace {

std::optional<std::string> nonEmpty(const EnvironmentLookup& environment, std::string_view name) {
    auto value = environment(name);
    if (value && value->empty()) return std::nullopt;
    return value;
}

std::filesystem::path madeAbsolute(const std::filesystem::path& path) {
    std::error_code error;
    auto result = std::filesystem::absolute(path, error);
    return error ? path : result;
}

std::filesystem::path dataHome(const EnvironmentLookup& environment) {
    // Relative values are invalid by the XDG rules and ignored.
    if (auto xdg = nonEmpty(environment, "XDG_DATA_HOME"); xdg && std::filesystem::path(*xdg).is_absolute())
        return *xdg;
    // Without a home folder the current folder stands in for it.
    const auto home = nonEmpty(environment, "HOME");
    return madeAbsolute(std::filesystem::path(home.value_or(".")) / ".local" / "share");
}

} // namespace

EnvironmentLookup processEnvironment() {
    return [](std::string_view name) -> std::optional<std::string> {
        const char* value = std::getenv(std::string(name).c_str());
        if (!value) return std::nullopt;
        return std::string(value);
    };
}

std::filesystem::path dataFilePath(const EnvironmentLookup& environment) {
    // An empty TARNEL_DATA counts as unset: as a path it names no file, and every save would fail.
    if (auto given = nonEmpty(environment, "TARNEL_DATA")) return madeAbsolute(*given);
    return dataHome(environment) / "Vesk" / "data.json";
}

std::filesystem::path chosenDataFile(const EnvironmentLookup& environment) {
    const auto given = dataFilePath(environment).lexically_normal();
    const auto fallback = dataFilePath([&](std::string_view name) {
                              return name == "TARNEL_DATA" ? std::nullopt : environment(name);
                          }).lexically_normal();
    return given == fallback ? std::filesystem::path() : given;
}

std::filesystem::path resolveDataFile(const std::filesystem::path& dataFile, const LinkCheck& follows) {
    // The kernel gives up after 40 links in one path; so does this.
    constexpr int maxLinks = 40;
    const auto given = madeAbsolute(dataFile);
    // Component by component, as the kernel walks a path, so that every link on the way is
    // looked at, a folder's included; what is left to walk, last component first.
    std::vector<std::filesystem::path> left;
    const auto walk = [&left](const std::filesystem::path& path) {
        for (auto part = path.end(); part != path.begin();)
            if (!(--part)->empty()) left.push_back(*part);
    };
    walk(given.relative_path());
    std::filesystem::path path = given.root_path();
    int links = 0;
    std::error_code error;
    while (!left.empty()) {
        const std::filesystem::path part = std::move(left.back());
        left.pop_back();
        if (part == ".") continue;
        if (part == "..") {
            path = path.parent_path();
            continue;
        }
        const auto next = path / part;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(next, error))) {
            path = next;
            continue;
        }
        if (!follows(next)) return next;
        const auto target = std::filesystem::read_symlink(next, error);
        if (error || ++links > maxLinks) return given;
        if (target.is_absolute()) path = target.root_path();
        walk(target.relative_path());
    }
    return path;
}

std::filesystem::path locateDataFile(const EnvironmentLookup& environment, FileSystem& files) {
    auto result = dataFilePath(environment);
    if (nonEmpty(environment, "TARNEL_DATA")) return result;
    const auto legacy = dataHome(environment) / "Tarnel" / "data.json";
    if (!files.exists(result) && files.exists(legacy)) {
        files.createDirectories(result.parent_path());
        files.copy(files.resolve(legacy), result);
    }
    return result;
}

} // namespace vesk
