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
std::string quotedExec(const std::string& path) {
    std::string quoted = "\"";
    for (const char c : path) {
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

std::string LoginItem::desktopEntry(const std::filesystem::path& program) {
    const std::string path = program.string();
    if (path.empty() || path.find_first_of("\n\r") != std::string::npos) return {};
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Vesk\n"
           "Comment=Tasks, focus timer and a bonsai at the top of the screen\n"
           "Exec=" +
           quotedExec(path) +
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

std::optional<std::string> LoginItem::change(bool enabled) {
    const auto file = autostartFile();
    if (file.empty()) return "no configuration folder ($XDG_CONFIG_HOME and $HOME are unset)";

    if (!enabled) {
        std::error_code error;
        // Not registered is what was asked for, so a missing file is no failure.
        std::filesystem::remove(file, error);
        if (error) return error.message();
        return std::nullopt;
    }

    const std::string entry = desktopEntry(runningProgram());
    if (entry.empty()) return "the program's path cannot be written into a desktop entry";
    PosixFileSystem files;
    errno = 0;
    if (!files.createDirectories(file.parent_path()) || !files.writeAtomically(file, entry))
        return errno != 0 ? std::string(std::strerror(errno))
                          : std::string("could not write ") + file.string();
    return std::nullopt;
}

void LoginItem::set(bool enabled) {
    if (const auto error = change(enabled)) {
        const std::string message = "Vesk: login item change failed: " + *error;
        // The message is data, never the format: a path may hold a '%'.
        ::syslog(LOG_ERR, "%s", message.c_str());
    }
}

} // namespace vesk
