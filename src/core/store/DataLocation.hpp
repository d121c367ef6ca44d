#pragma once

#include "core/runtime/FileSystem.hpp"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// Reads one variable of the process environment; nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view name)>;

// The real process environment.
EnvironmentLookup processEnvironment();

// Where the data file lives: $TARNEL_DATA when it is set and not empty, otherwise
// <data home>/Vesk/data.json, where the data home is $XDG_DATA_HOME (when absolute) or
// ~/.local/share. A file found only at the old <data home>/Tarnel/data.json is copied to the
// new place once; the old file stays. Errors of that copy are ignored.
std::filesystem::path locateDataFile(const EnvironmentLookup& environment, FileSystem& files);
// The same place, without looking for the old file.
std::filesystem::path dataFilePath(const EnvironmentLookup& environment);
// The file $TARNEL_DATA names, made absolute, when it is not the place the file has without
// it; empty otherwise.
std::filesystem::path chosenDataFile(const EnvironmentLookup& environment);
// Whether a symbolic link may be followed: one another account could have planted is not.
using LinkCheck = std::function<bool(const std::filesystem::path& link)>;

// The file that `dataFile` names once every symbolic link on the way is followed, its own
// included, even when the file at the end does not exist yet: what saves replace, what the
// lock and the watch are about. Absolute; a loop of links leaves the path as given. A link that
// `follows` refuses ends the way: the path is that link's own, with nothing after it.
std::filesystem::path resolveDataFile(const std::filesystem::path& dataFile, const LinkCheck& follows);

} // namespace vesk
