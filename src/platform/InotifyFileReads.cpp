#include "platform/InotifyFileReads.hpp"

#include <QSocketNotifier>
#include <sys/inotify.h>

namespace vesk {

namespace {

constexpr std::uint32_t readEvents = IN_ACCESS | IN_CLOSE_NOWRITE;

} // namespace

InotifyFileReads::InotifyFileReads() {
    fd_.reset(inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    if (!fd_.valid()) return;
    notifier_ = new QSocketNotifier(fd_.get(), QSocketNotifier::Read, &owner_);
    QObject::connect(notifier_, &QSocketNotifier::activated, notifier_, [this] { flush(); });
}

InotifyFileReads::~InotifyFileReads() {
    if (notifier_) notifier_->setEnabled(false);
    folder_.stop();
}

bool InotifyFileReads::watch(const std::filesystem::path& file, std::function<void()> onRead) {
    stop();
    if (!fd_.valid()) return false;
    if (!folder_.watch(fd_.get(), file.parent_path(), readEvents)) return false;
    name_ = file.filename().string();
    onRead_ = std::move(onRead);
    return true;
}

void InotifyFileReads::stop() {
    folder_.stop();
    onRead_ = nullptr;
}

void InotifyFileReads::flush() {
    if (!takeEvents() || !onRead_) return;
    // A copy: the listener may watch another file from inside.
    const auto onRead = onRead_;
    onRead();
}

void InotifyFileReads::ownRead(const std::function<void()>& read) {
    flush();
    read();
    // The events of this read are queued by now, while the read returned.
    takeEvents();
}

bool InotifyFileReads::takeEvents() {
    if (!fd_.valid()) return false;
    bool read = false;
    readInotifyEvents(fd_.get(), [&](const inotify_event& event, const char* name) {
        if (folder_.note(event) && (event.mask & readEvents) && name_ == name) read = true;
    });
    folder_.follow();
    return read;
}

} // namespace vesk
