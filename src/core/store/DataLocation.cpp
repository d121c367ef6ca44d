#include "core/store/DataLocation.hpp"

#include <cstdlib>
#include <system_error>

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

std::filesystem::path resolveDataFile(const std::filesystem::path& dataFile) {
    // The kernel gives up after 40 links in one path; so does this.
    constexpr int maxLinks = 40;
    const auto given = madeAbsolute(dataFile);
    auto path = given;
    std::error_code error;
    for (int links = 0; links <= maxLinks; ++links) {
        // The folder's own links, and any ".." a link's target holds, resolved as the kernel does.
        auto folder = std::filesystem::weakly_canonical(path.parent_path(), error);
        if (error) return given;
        path = folder / path.filename();
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) return path;
        const auto target = std::filesystem::read_symlink(path, error);
        if (error) return given;
        path = target.is_absolute() ? target : folder / target;
    }
    return given;
}

std::filesystem::path locateDataFile(const EnvironmentLookup& environment, FileSystem& files) {
    auto result = dataFilePath(environment);
    if (nonEmpty(environment, "TARNEL_DATA")) return result;
    const auto legacy = dataHome(environment) / "Tarnel" / "data.json";
    if (!files.exists(result) && files.exists(legacy)) {
        files.createDirectories(result.parent_path());
        files.copy(legacy, result);
    }
    return result;
}

} // namespace vesk
