#include "platform/InotifyFolderWatcher.hpp"

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace vesk {

namespace {

// Everything that can change what a reader of a file in the folder sees, and the folder's own
// going, renamed or removed.
constexpr std::uint32_t watchedEvents = IN_CLOSE_WRITE | IN_MODIFY | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE |
                                        IN_DELETE | IN_ATTRIB | IN_MOVE_SELF | IN_DELETE_SELF | IN_ONLYDIR;
constexpr std::uint32_t folderGoneEvents = IN_MOVE_SELF | IN_DELETE_SELF | IN_IGNORED;
// How often a path without a folder is looked at: rarely enough to cost nothing at idle.
constexpr int missingFolderRetryMilliseconds = 1000;

} // namespace

InotifyFolderWatcher::InotifyFolderWatcher() = default;

InotifyFolderWatcher::~InotifyFolderWatcher() {
    stop();
}

bool InotifyFolderWatcher::watch(const std::filesystem::path& folder, std::function<void()> onChange) {
    stop();
    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0) return false;
    const int watch = inotify_add_watch(fd, folder.c_str(), watchedEvents);
    if (watch < 0) {
        close(fd);
        return false;
    }
    fd_ = fd;
    folderWatch_ = watch;
    folder_ = folder;
    onChange_ = std::move(onChange);
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, &owner_);
    QObject::connect(notifier_, &QSocketNotifier::activated, notifier_, [this] { drain(); });
    retry_ = new QTimer(&owner_);
    retry_->setInterval(missingFolderRetryMilliseconds);
    QObject::connect(retry_, &QTimer::timeout, retry_, [this] {
        if (!followFolder() || !onChange_) return;
        // What the folder at the path holds now is news.
        const auto onChange = onChange_;
        onChange();
    });
    return true;
}

void InotifyFolderWatcher::stop() {
    if (notifier_) {
        // Disabled before the descriptor closes; deleted later, as stop() may run inside its signal.
        notifier_->setEnabled(false);
        notifier_->deleteLater();
        notifier_ = nullptr;
    }
    if (retry_) {
        retry_->stop();
        retry_->deleteLater();
        retry_ = nullptr;
    }
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    folderWatch_ = -1;
    folderGone_ = false;
    onChange_ = nullptr;
}

bool InotifyFolderWatcher::waitForChange(double seconds) {
    const int milliseconds = static_cast<int>(std::clamp(std::ceil(seconds * 1000.0), 0.0, 3'600'000.0));
    if (fd_ < 0) {
        ::poll(nullptr, 0, milliseconds);
        return false;
    }
    pollfd events{fd_, POLLIN, 0};
    // An interruption counts as no change: the caller looks at the file and its clock again.
    return ::poll(&events, 1, milliseconds) > 0 && discardEvents();
}

void InotifyFolderWatcher::drain() {
    // The events' details do not matter: one report per batch, the listener debounces.
    if (!discardEvents() || !onChange_) return;
    if (folderGone_ && !followFolder() && retry_) retry_->start();
    // A copy: the listener may stop or re-point this watcher.
    const auto onChange = onChange_;
    onChange();
}

bool InotifyFolderWatcher::followFolder() {
    if (!folderGone_) return true;
    // A renamed folder's watch would follow it to its new name.
    if (folderWatch_ >= 0) inotify_rm_watch(fd_, folderWatch_);
    folderWatch_ = inotify_add_watch(fd_, folder_.c_str(), watchedEvents);
    folderGone_ = folderWatch_ < 0;
    if (!folderGone_ && retry_) retry_->stop();
    return !folderGone_;
}

bool InotifyFolderWatcher::discardEvents() {
    alignas(inotify_event) char buffer[16 * 1024];
    bool any = false;
    for (;;) {
        const ssize_t count = read(fd_, buffer, sizeof buffer);
        if (count > 0) {
            any = true;
            for (ssize_t at = 0; at < count;) {
                inotify_event event;
                std::memcpy(&event, buffer + at, sizeof event);
                if (event.wd == folderWatch_ && (event.mask & folderGoneEvents)) folderGone_ = true;
                at += static_cast<ssize_t>(sizeof event + event.len);
            }
            continue;
        }
        if (count < 0 && errno == EINTR) continue;
        return any;
    }
}

} // namespace vesk
