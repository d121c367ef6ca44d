#include "platform/InotifyFolderWatcher.hpp"

#include <QSocketNotifier>
#include <algorithm>
#include <cmath>
#include <poll.h>
#include <sys/inotify.h>

namespace vesk {

namespace {

// Everything that can change what a reader of a file in the folder sees.
constexpr std::uint32_t watchedEvents =
    IN_CLOSE_WRITE | IN_MODIFY | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE | IN_ATTRIB;

} // namespace

InotifyFolderWatcher::InotifyFolderWatcher() = default;

InotifyFolderWatcher::~InotifyFolderWatcher() {
    stop();
}

bool InotifyFolderWatcher::watch(const std::filesystem::path& folder, std::function<void()> onChange) {
    stop();
    UniqueFd fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    if (!fd.valid()) return false;
    // What the folder at the path holds, once it is watched again, is news.
    const bool watched = folder_.watch(fd.get(), folder, watchedEvents, [this] {
        if (!onChange_) return;
        const auto onChange = onChange_;
        onChange();
    });
    if (!watched) return false;
    fd_ = std::move(fd);
    onChange_ = std::move(onChange);
    notifier_ = new QSocketNotifier(fd_.get(), QSocketNotifier::Read, &owner_);
    QObject::connect(notifier_, &QSocketNotifier::activated, notifier_, [this] { drain(); });
    return true;
}

void InotifyFolderWatcher::stop() {
    if (notifier_) {
        // Disabled before the descriptor closes; deleted later, as stop() may run inside its signal.
        notifier_->setEnabled(false);
        notifier_->deleteLater();
        notifier_ = nullptr;
    }
    folder_.stop();
    fd_.reset();
    onChange_ = nullptr;
}

bool InotifyFolderWatcher::waitForChange(double seconds) {
    const int milliseconds = static_cast<int>(std::clamp(std::ceil(seconds * 1000.0), 0.0, 3'600'000.0));
    if (!fd_.valid()) {
        ::poll(nullptr, 0, milliseconds);
        return false;
    }
    pollfd events{fd_.get(), POLLIN, 0};
    // An interruption counts as no change: the caller looks at the file and its clock again.
    return ::poll(&events, 1, milliseconds) > 0 && discardEvents();
}

void InotifyFolderWatcher::drain() {
    // The events' details do not matter: one report per batch, the listener debounces.
    if (!discardEvents() || !onChange_) return;
    folder_.follow();
    // A copy: the listener may stop or re-point this watcher.
    const auto onChange = onChange_;
    onChange();
}

bool InotifyFolderWatcher::discardEvents() {
    return readInotifyEvents(fd_.get(),
                             [this](const inotify_event& event, const char*) { folder_.note(event); });
}

} // namespace vesk
