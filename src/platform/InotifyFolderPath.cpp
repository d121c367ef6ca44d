#include "platform/InotifyFolderPath.hpp"

#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <unistd.h>

namespace vesk {

namespace {

constexpr std::uint32_t folderGoneEvents = IN_MOVE_SELF | IN_DELETE_SELF | IN_IGNORED;
// How often a path without a folder is looked at: rarely enough to cost nothing at idle.
constexpr int missingFolderRetryMilliseconds = 1000;

} // namespace

bool readInotifyEvents(int fd, const std::function<void(const inotify_event& event, const char* name)>& each) {
    alignas(inotify_event) char buffer[16 * 1024];
    bool any = false;
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return any;
        any = true;
        for (ssize_t at = 0; at < count;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            each(event, event.len > 0 ? buffer + at + sizeof(inotify_event) : "");
            at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
        }
    }
}

InotifyFolderPath::InotifyFolderPath() {
    retry_.setInterval(missingFolderRetryMilliseconds);
    QObject::connect(&retry_, &QTimer::timeout, &retry_, [this] {
        if (!follow() || !onWatchedAgain_) return;
        // A copy: the listener may stop or re-point the watch.
        const auto onWatchedAgain = onWatchedAgain_;
        onWatchedAgain();
    });
}

InotifyFolderPath::~InotifyFolderPath() {
    stop();
}

bool InotifyFolderPath::watch(int fd, const std::filesystem::path& folder, std::uint32_t events,
                              std::function<void()> onWatchedAgain) {
    stop();
    events_ = events | IN_MOVE_SELF | IN_DELETE_SELF | IN_ONLYDIR;
    const int watch = inotify_add_watch(fd, folder.c_str(), events_);
    if (watch < 0) return false;
    fd_ = fd;
    watch_ = watch;
    folder_ = folder;
    onWatchedAgain_ = std::move(onWatchedAgain);
    return true;
}

void InotifyFolderPath::stop() {
    retry_.stop();
    if (watch_ >= 0) inotify_rm_watch(fd_, watch_);
    fd_ = -1;
    watch_ = -1;
    gone_ = false;
    onWatchedAgain_ = nullptr;
}

bool InotifyFolderPath::note(const inotify_event& event) {
    if (event.wd != watch_ || gone_) return false;
    if (event.mask & folderGoneEvents) gone_ = true;
    return true;
}

bool InotifyFolderPath::follow() {
    if (!gone_) return true;
    if (fd_ < 0) return false;
    // A renamed folder's watch would follow it to its new name.
    if (watch_ >= 0) inotify_rm_watch(fd_, watch_);
    watch_ = inotify_add_watch(fd_, folder_.c_str(), events_);
    gone_ = watch_ < 0;
    if (gone_)
        retry_.start();
    else
        retry_.stop();
    return !gone_;
}

} // namespace vesk
