#pragma once

#include "core/runtime/FolderWatcher.hpp"
#include "platform/InotifyFolderPath.hpp"
#include "platform/UniqueFd.hpp"

#include <QObject>
#include <filesystem>

class QSocketNotifier;

namespace vesk {

// Watches one folder with inotify and reports on the Qt main thread. The folder rather
// than the file, so that atomic replacements, deletions and re-creations are all seen. The
// watch follows the folder's path: a folder renamed or removed is reported, and the path is
// watched again as soon as it names a folder, looked at once a second while it does not.
class InotifyFolderWatcher final : public FolderWatcher {
  public:
    InotifyFolderWatcher();
    ~InotifyFolderWatcher() override;
    InotifyFolderWatcher(const InotifyFolderWatcher&) = delete;
    InotifyFolderWatcher& operator=(const InotifyFolderWatcher&) = delete;

    bool watch(const std::filesystem::path& folder, std::function<void()> onChange) override;
    void stop() override;
    bool waitForChange(double seconds) override;

  private:
    void drain();
    // Reads every pending event; true when there was one. Notes when the folder itself went.
    bool discardEvents();

    UniqueFd fd_;
    InotifyFolderPath folder_;
    // Parent of the notifier, so that one stopped from inside its own signal is freed later.
    QObject owner_;
    QSocketNotifier* notifier_ = nullptr;
    std::function<void()> onChange_;
};

} // namespace vesk
