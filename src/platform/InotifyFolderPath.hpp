#pragma once

#include <QTimer>
#include <cstdint>
#include <filesystem>
#include <functional>

struct inotify_event;

namespace vesk {

// Reads every event waiting on the inotify descriptor `fd`, handing each to `each` with its
// name ("" when it has none); true when there was one.
bool readInotifyEvents(int fd, const std::function<void(const inotify_event& event, const char* name)>& each);

// One folder watched by its path on an inotify descriptor that its owner reads. A folder renamed
// or removed is told by its events; the path is then watched again, at once when it names a
// folder, else looked at once a second until it does.
class InotifyFolderPath {
  public:
    InotifyFolderPath();
    ~InotifyFolderPath();
    InotifyFolderPath(const InotifyFolderPath&) = delete;
    InotifyFolderPath& operator=(const InotifyFolderPath&) = delete;

    // Watches `folder` on `fd` for `events`; `onWatchedAgain` is told when a later look of the
    // timer finds a folder at the path again. False when the path names no folder.
    bool watch(int fd, const std::filesystem::path& folder, std::uint32_t events,
               std::function<void()> onWatchedAgain = {});
    void stop();
    // Takes note of one event read from the descriptor; true when it is of the folder at the
    // path, not of one that went from there.
    bool note(const inotify_event& event);
    // After a batch of events: watches the path again when the folder went; true when the
    // folder at the path is watched.
    bool follow();

  private:
    int fd_ = -1;
    int watch_ = -1;
    bool gone_ = false;
    std::uint32_t events_ = 0;
    std::filesystem::path folder_;
    QTimer retry_;
    std::function<void()> onWatchedAgain_;
};

} // namespace vesk
