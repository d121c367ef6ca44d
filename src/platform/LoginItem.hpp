#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vesk {

// Launch at login through the XDG autostart file $XDG_CONFIG_HOME/autostart/vesk.desktop
// (default ~/.config). The program never stores the state itself: `isEnabled` reads it
// from the file every time.
class LoginItem {
  public:
    // Registers (true) or unregisters (false); a failure goes to the system log as
    // "Vesk: login item change failed: " followed by the error, and nothing else happens.
    // A `dataFile` (empty: the default one) is what the program started at login runs on.
    static void set(bool enabled, const std::filesystem::path& dataFile = {});

    // The same change, reporting the error's description instead of logging it.
    static std::optional<std::string> change(bool enabled, const std::filesystem::path& dataFile = {});

    // Registered: the file exists and does not switch itself off ("Hidden=true", or
    // GNOME's "X-GNOME-Autostart-enabled=false", which desktop settings write).
    static bool isEnabled();

    // Empty when neither $XDG_CONFIG_HOME nor $HOME names an absolute folder.
    static std::filesystem::path autostartFile();

    // The desktop entry that starts `program` on `dataFile` (empty: the default one); empty
    // when a path cannot be written into one (a line break would end the entry's line).
    static std::string desktopEntry(const std::filesystem::path& program,
                                    const std::filesystem::path& dataFile = {});
};

} // namespace vesk
