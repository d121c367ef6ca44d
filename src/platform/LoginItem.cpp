#include "platform/LoginItem.hpp"

#include "platform/PosixFileSystem.hpp"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <syslog.h>
#include <system_error>

namespace vesk {

namespace {

std::filesystem::path absoluteFolder(const char* value) {
    if (value == nullptr || *value == '\0') return {};
    const std::filesystem::path folder(value);
    return folder.is_absolute() ? folder : std::filesystem::path();
}

std::filesystem::path configHome() {
    // The base-directory rules ignore a relative $XDG_CONFIG_HOME.
    if (auto folder = absoluteFolder(std::getenv("XDG_CONFIG_HOME")); !folder.empty()) return folder;
    if (auto home = absoluteFolder(std::getenv("HOME")); !home.empty()) return home / ".config";
    return {};
}

// Exec takes a quoted argument in which ", `, $ and \ are escaped; the file's string
// syntax then escapes every backslash once more, and % starts a field code.
std::string quotedArgument(const std::string& word) {
    std::string quoted = "\"";
    for (const char c : word) {
        if (c == '"' || c == '`' || c == '$') quoted += "\\\\";
        if (c == '\\') quoted += "\\\\\\";
        if (c == '%') quoted += '%';
        quoted += c;
    }
    return quoted + '"';
}

std::filesystem::path runningProgram() {
    std::error_code error;
    auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program;
}

} // namespace

std::filesystem::path LoginItem::autostartFile() {
    const auto config = configHome();
    return config.empty() ? config : config / "autostart" / "vesk.desktop";
}

std::string LoginItem::desktopEntry(const std::filesystem::path& program,
                                    const std::filesystem::path& dataFile) {
    const std::string path = program.string();
    const std::string data = dataFile.string();
    const auto breaksLine = [](const std::string& word) {
        return word.find_first_of("\n\r") != std::string::npos;
    };
    if (path.empty() || breaksLine(path) || breaksLine(data)) return {};
    // The login session has no TARNEL_DATA of its own: env hands the program the one it runs on.
    const std::string exec =
        data.empty() ? quotedArgument(path)
                     : "env " + quotedArgument("TARNEL_DATA=" + data) + " " + quotedArgument(path);
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Vesk\n"
           "Comment=Tasks, focus timer and a bonsai at the top of the screen\n"
           "Exec=" +
           exec +
           "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

bool LoginItem::isEnabled() {
    const auto file = autostartFile();
    if (file.empty()) return false;
    std::ifstream in(file);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line))
        if (line == "Hidden=true" || line == "X-GNOME-Autostart-enabled=false") return false;
    return true;
}

std::optional<std::string> LoginItem::change(bool enabled, const std::filesystem::path& dataFile) {
    const auto file = autostartFile();
    if (file.empty()) return "no configuration folder ($XDG_CONFIG_HOME and $HOME are unset)";

    if (!enabled) {
        std::error_code error;
        // Not registered is what was asked for, so a missing file is no failure.
        std::filesystem::remove(file, error);
        if (error) return error.message();
        return std::nullopt;
    }

    const std::string entry = desktopEntry(runningProgram(), dataFile);
    if (entry.empty()) return "the program's or the data file's path cannot be written into a desktop entry";
    PosixFileSystem files;
    errno = 0;
    if (!files.createDirectories(file.parent_path()) || !files.writeAtomically(file, entry))
        return errno != 0 ? std::string(std::strerror(errno))
                          : std::string("could not write ") + file.string();
    return std::nullopt;
}

void LoginItem::set(bool enabled, const std::filesystem::path& dataFile) {
    if (const auto error = change(enabled, dataFile)) {
        const std::string message = "Vesk: login item change failed: " + *error;
        // The message is data, never the format: a path may hold a '%'.
        ::syslog(LOG_ERR, "%s", message.c_str());
    }
}

} // namespace vesk
