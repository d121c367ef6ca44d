#pragma once

#include "core/runtime/FileReadWatcher.hpp"
#include "platform/InotifyFolderPath.hpp"
#include "platform/UniqueFd.hpp"

#include <QObject>
#include <string>

class QSocketNotifier;

namespace vesk {

// Watches the reads of the file at one path with inotify, reported on the Qt main thread. The
// folder is watched, for the events of that name: a file moved in over the old one is watched
// from the instant it is there, and the old one, under the name it is moved to, no more. The watch
// follows the folder's path as the folder watch does: a folder renamed, or removed and made
// again, is watched again at its path. Only reads count: an open for writing alone says nothing
// of what was seen.
class InotifyFileReads final : public FileReadWatcher {
  public:
    InotifyFileReads();
    ~InotifyFileReads() override;
    InotifyFileReads(const InotifyFileReads&) = delete;
    InotifyFileReads& operator=(const InotifyFileReads&) = delete;

    bool watch(const std::filesystem::path& file, std::function<void()> onRead) override;
    void stop() override;
    void flush() override;
    void ownRead(const std::function<void()>& read) override;

  private:
    // Reads every waiting event; true when one was a read of the watched file.
    bool takeEvents();

    UniqueFd fd_;
    InotifyFolderPath folder_;
    std::string name_;
    QObject owner_;
    QSocketNotifier* notifier_ = nullptr;
    std::function<void()> onRead_;
};

} // namespace vesk
